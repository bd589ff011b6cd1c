// The lines of a list box, as the record store's list operations write them. The window
// layer's list-box control implements it; MemoryListBox holds the lines without a window.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace ui {

class ListBox {
  public:
    virtual ~ListBox() = default;
    virtual void Clear() = 0;
    virtual void AddLine(const std::wstring& line) = 0;
    // Takes the line over; a list that keeps wide strings overrides it to keep this one
    // instead of a copy.
    virtual void AddLine(std::wstring&& line) { AddLine(static_cast<const std::wstring&>(line)); }
    virtual int Count() const = 0;
    // The line at `index` (0-based); empty when out of range.
    virtual std::wstring LineText(int index) const = 0;
};

class MemoryListBox final : public ListBox {
  public:
    void Clear() override { mLines.clear(); }
    void AddLine(const std::wstring& line) override { mLines.push_back(line); }
    void AddLine(std::wstring&& line) override { mLines.push_back(std::move(line)); }
    int Count() const override { return static_cast<int>(mLines.size()); }
    std::wstring LineText(int index) const override {
        return index >= 0 && index < Count() ? mLines[index] : std::wstring();
    }
    const std::vector<std::wstring>& Lines() const { return mLines; }

  private:
    std::vector<std::wstring> mLines;
};

}  // namespace ui
