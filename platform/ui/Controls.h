// The controls a dialog creates from its template, reached with Dialog::Control<T>(id). Each
// wraps one standard control; what it offers is what the windows use. UI thread only, except
// the placement operations inherited from Window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/FrameSlot.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Window.h"

namespace ui {

// Base of every control: its kind and template style.
class Control : public Window {
  public:
    ControlKind Kind() const { return mKind; }
    uint32_t Style() const { return mStyle; }

  protected:
    Control(int id, ControlKind kind, uint32_t style) : Window(id), mKind(kind), mStyle(style) {}

  private:
    ControlKind mKind;
    uint32_t mStyle;
};

// A push button: standard, flat, owner-drawn (painted by the dialog's owner-draw handler) or
// showing a bitmap.
class Button final : public Control {
  public:
    Button(int id, uint32_t style) : Control(id, ControlKind::Button, style) {}
    // Shows `bitmap` centred on the button from now on (the bitmap style); a null bitmap
    // shows none.
    void SetBitmap(const Bitmap& bitmap);
    const Bitmap& CurrentBitmap() const { return mBitmap; }

  private:
    Bitmap mBitmap;
};

class Edit final : public Control {
  public:
    Edit(int id, uint32_t style) : Control(id, ControlKind::Edit, style) {}
    // At most `characters` can be typed; 0 removes the limit.
    void SetLimitText(int characters);
    // Text() and SetText() of a multi-line edit use "\r\n" between lines.
};

// A list box; the record store fills it through the ListBox interface.
class ListBoxControl final : public Control, public ListBox {
  public:
    ListBoxControl(int id, uint32_t style) : Control(id, ControlKind::ListBox, style) {}
    void Clear() override;
    void AddLine(const std::wstring& line) override;
    int Count() const override;
    std::wstring LineText(int index) const override;
    // The highlighted line, -1 when none.
    int Selection() const;
    void SetSelection(int index);
};

class ComboBox final : public Control {
  public:
    ComboBox(int id, uint32_t style) : Control(id, ControlKind::ComboBox, style) {}
    void AddItem(const std::wstring& text);
    void Clear();
    int Count() const;
    std::wstring ItemText(int index) const;
    // The selected item, -1 when none. In an editable box, the item whose text the edit field
    // holds exactly; -1 when the field holds a text of no item.
    int Selection() const;
    // Selects item `index`; an index without item leaves no selection.
    void SetSelection(int index);
};

struct DateTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

class DatePicker final : public Control {
  public:
    DatePicker(int id, uint32_t style) : Control(id, ControlKind::DatePicker, style) {}
    void SetDateTime(const DateTime& value);
    DateTime GetDateTime() const;
    // Limits the dates the operator can pick to earliest..latest (their times are not used).
    void SetRange(const DateTime& earliest, const DateTime& latest);
};

// A list view in icon view: items with a caption and a picture from the view's image list.
class ListView final : public Control {
  public:
    ListView(int id, uint32_t style) : Control(id, ControlKind::ListView, style) {}
    // The size of the image list's pictures; set before adding pictures.
    void SetImageSize(int width, int height);
    // Adds a picture to the image list; pixels of `transparent` are left out. Returns its index.
    int AddImage(const Bitmap& picture, Color transparent);
    // Empties the image list; items keep their pictures until they are deleted.
    void RemoveAllImages();
    int ImageCount() const;
    void SetColors(Color background, Color textBackground, Color text);
    int InsertItem(const std::wstring& caption, int image);
    void DeleteAllItems();
    int Count() const;
    std::wstring ItemText(int index) const;
    int Selection() const;
    void SetSelection(int index);
    void SetRedraw(bool redraw);
    void Scroll(int dx, int dy);
};

class TrackBar final : public Control {
  public:
    TrackBar(int id, uint32_t style) : Control(id, ControlKind::TrackBar, style) {}
    void SetRange(int minimum, int maximum);
    void SetTickFrequency(int frequency);
    void SetPosition(int position);
    int Position() const;
    int Minimum() const;
    int Maximum() const;
};

class StaticText final : public Control {
  public:
    StaticText(int id, uint32_t style) : Control(id, ControlKind::StaticText, style) {}
};

namespace detail {
class VideoFrameSlot;
}

// An empty child window that shows the live picture: the newest frame presented into its slot,
// scaled to fill the client area. The slot outlives the host; frames presented after the host
// is destroyed are dropped.
class StaticHost final : public Control, public FrameSlotOwner {
  public:
    StaticHost(int id, uint32_t style);
    ~StaticHost() override;
    std::shared_ptr<FrameSlot> Slot() const override;
    // How many frames have been painted so far (for measuring the live picture's rate).
    int FramesPainted() const;
    // The slot as the host's widget paints it.
    detail::VideoFrameSlot& PaintSlot() const { return *mSlot; }

  private:
    std::shared_ptr<detail::VideoFrameSlot> mSlot;
};

class GroupBox final : public Control {
  public:
    GroupBox(int id, uint32_t style) : Control(id, ControlKind::GroupBox, style) {}
};

}  // namespace ui
