// Screenshots of the windows the window layer and the utility library make: the skinned message
// box, the yes/no box, the start-up cover and every dialog template built empty, each saved as
// a PNG into the folder given, so that anyone can look at what the operator sees.
//
//   xvfb-run -s "-screen 0 1920x1080x24" sorvanti_screenshots <folder>
//
// With a display it draws on it (the X server of xvfb-run); without one, on Qt's offscreen
// platform. Either way the windows lay themselves out on the virtual 1920 x 1080 screen with a
// 40-pixel taskbar that the tests use.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/testing/UiTesting.h"
#include "resources/ResourceIds.h"
#include "utility/boxes/CCoverDlg.h"
#include "utility/boxes/CImageMsgBoxDlg.h"
#include "utility/boxes/CImageYesNoBoxDlg.h"

namespace {

using ui::testing::ModalWindow;

// A template built empty. Its owner-drawn buttons, which the real window paints with pictures,
// are outlined with their template caption so that the layout can be checked.
class TemplatePreview final : public ui::Dialog {
  public:
    explicit TemplatePreview(int templateId) : ui::Dialog(templateId, nullptr) {
        OnOwnerDraw(&TemplatePreview::OnDrawItem);
    }

  private:
    void OnDrawItem(int controlId, ui::DrawItem& item) {
        item.dc.SetPen(ui::Rgb(150, 154, 170), 1);
        item.dc.SetBrush(ui::Rgb(66, 68, 79));
        item.dc.DrawRectangle(item.rect);
        item.dc.SetTextColor(ui::Rgb(238, 238, 238));
        item.dc.DrawTextCentered(item.rect, FindControl(controlId)->Text());
    }
};

struct Shot {
    const char* name;
    bool endsItself;  // the window closes itself (the cover); the others are ended once grabbed
    // Makes the window and runs it modally; the queued action grabs and ends it.
    std::function<void()> run;
};

// Queues the action that saves the next modal window as `file` and then ends it (or waits
// until it has ended itself).
void SaveNextModal(const std::filesystem::path& file, bool endsItself, bool& saved) {
    ui::testing::OnNextModal([file, endsItself, &saved](ModalWindow& window) {
        saved = window.Grab().SaveImageFile(file.wstring());
        if (endsItself) {
            window.WaitUntilEnded(5000);
        } else {
            window.End(ui::kIdCancel);
        }
    });
}

std::vector<Shot> Shots() {
    std::vector<Shot> shots = {
        {"message-box", false,
         [] { CImageMsgBoxDlg(nullptr, L"Please select one customer!").DoModal(); }},
        {"message-box-short", false, [] { CImageMsgBoxDlg(nullptr, L"OK").DoModal(); }},
        {"yes-no-box", false,
         [] { CImageYesNoBoxDlg(nullptr, L"Are you sure want to delete this image ?").DoModal(); }},
        {"yes-no-box-short", false, [] { CImageYesNoBoxDlg(nullptr, L"Delete ?").DoModal(); }},
        {"cover", true,
         [] {
             CCoverDlg cover(nullptr);
             cover.mPictureBitmapId = resources::kBitmapCover;
             cover.mBackgroundColor = ui::Rgb(242, 242, 242);
             cover.DoModal();
         }},
    };
    const struct {
        const char* name;
        int id;
    } templates[] = {
        {"template-195-main-window", resources::kDialogOperationRoom},
        {"template-133-camera", resources::kDialogCamera},
        {"template-134-setup", resources::kDialogSetup},
        {"template-165-image-browser", resources::kDialogImageBrowser},
        {"template-173-image-comment", resources::kDialogImageComment},
        {"template-174-image-detail", resources::kDialogImageDetail},
        {"template-9101-message-box", resources::kDialogImageMsgBox},
        {"template-9102-yes-no-box", resources::kDialogImageYesNoBox},
        {"template-9104-cover", resources::kDialogCover},
    };
    for (const auto& t : templates) {
        const int id = t.id;
        shots.push_back({t.name, false, [id] { TemplatePreview(id).DoModal(); }});
    }
    return shots;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }
    // A display (Xvfb) is used when there is one; otherwise the harness picks the offscreen one.
    if (!getenv("QT_QPA_PLATFORM") && getenv("DISPLAY")) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    ui::testing::StartUi();

    int failures = 0;
    for (const Shot& shot : Shots()) {
        const std::filesystem::path file = folder / (std::string(shot.name) + ".png");
        bool saved = false;
        SaveNextModal(file, shot.endsItself, saved);
        shot.run();
        std::printf("%s %s\n", saved ? "saved " : "FAILED", file.c_str());
        failures += saved ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
