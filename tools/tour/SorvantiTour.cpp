// The scripted tour: runs Sorvanti's main window on a program folder with sample data, drives
// it like an operator (start, list, search, select patient 3, review its captures in the image
// browser, open one in the comment dialog and type its comment in the detail dialog, work the
// camera on the virtual camera and file the captures, open the setup dialog, add a patient, add
// and save a note, import an identity photo, save and delete a patient) and saves a screenshot
// of every step as a numbered PNG file. Message boxes are shown over the window they belong to.
//
//   sorvanti_tour <output-folder>
//
// The program's data goes to <output-folder>/program (made afresh), the screenshots to
// <output-folder>/screenshots. Runs on any Qt platform; without a display use Xvfb
// (`make run` does) or QT_QPA_PLATFORM=offscreen. Exit status 0 when every step did what it
// should.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/CDlgOperationRoom.h"
#include "app/OperationRoomIds.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/testing/UiTesting.h"
#include "records/DATABASECONTEXT.h"
#include "resources/ResourceIds.h"
#include "review/CDlgImageBrowser.h"
#include "review/ReviewIds.h"
#include "tools/tour/CameraTour.h"
#include "tools/tour/TourPictures.h"
#include "utility/bitmaps/Bitmaps.h"

namespace {

using namespace operationroom;
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

std::filesystem::path gScreenshots;
int gStep = 0;
int gProblems = 0;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "tour: step %d: %s\n", gStep, what);
        ++gProblems;
    }
}

void Save(const ui::Bitmap& picture, const std::string& name) {
    const std::filesystem::path path = gScreenshots / text::sprintf("%02d-%s.png", ++gStep, name);
    Check(picture.SaveImageFile(text::FromPath(path)), "screenshot not saved");
    std::printf("  %s\n", path.filename().c_str());
}

// The main window with a modal box drawn over it where it stands on the screen.
void SaveWithBox(const ui::Window& main, ModalWindow& box, const std::string& name) {
    ui::Bitmap picture = ui::testing::Grab(main);
    {
        ui::DrawContext dc(picture);
        const ui::Rect boxRect = box.WindowRect();
        const ui::Rect mainRect = main.WindowRect();
        dc.DrawBitmap(box.Grab(), boxRect.left - mainRect.left, boxRect.top - mainRect.top);
    }
    Save(picture, name);
}

// Answers the next skinned box by clicking `button`, after a screenshot of it.
void ScreenshotAndClick(const ui::Window& main, int button, const std::string& name) {
    OnNextModal([&main, button, name](ModalWindow& box) {
        SaveWithBox(main, box, name);
        box.Click(button);
    });
}

// Sample data: identity photos of patients 1 to 3, six captures (one a clip's poster) and two notes
// of patient 3.
void AddSampleData(const std::filesystem::path& program) {
    const std::filesystem::path database = program / "database";
    std::filesystem::create_directories(database / "id_photo");
    const ui::Color backdrops[] = {ui::Rgb(180, 200, 220), ui::Rgb(200, 210, 190),
                                   ui::Rgb(215, 200, 215)};
    const ui::Color clothing[] = {ui::Rgb(40, 70, 120), ui::Rgb(120, 40, 50), ui::Rgb(60, 100, 70)};
    for (int serial = 1; serial <= 3; ++serial) {
        UTILITY_SaveBitmapFile(
            tour::Portrait(480, 600, backdrops[serial - 1], clothing[serial - 1]),
            text::FromPath(database / "id_photo" / text::sprintf("%d.bmp", serial)));
    }
    const std::filesystem::path images = database / "3" / "images";
    std::filesystem::create_directories(images / "thumbnail");
    std::filesystem::create_directories(database / "3" / "videos");
    DATABASECONTEXT store(nullptr);
    store.DatabaseCreate();
    const wchar_t* names[] = {L"P1512311845071", L"P1512311845232", L"V1512311846002",
                              L"P1603071405051", L"P1603071406182", L"P1603071407043"};
    for (int i = 0; i < 6; ++i) {
        const ui::Bitmap capture = tour::Capture(1920, 1080, i, names[i]);
        UTILITY_SaveBitmapFile(capture, text::FromPath(images) + L"/" + names[i] + L".bmp");
        UTILITY_SaveScaledBitmapFile(
            nullptr, capture, text::FromPath(images / "thumbnail") + L"/" + names[i] + L".bmp",
            1920, 1080, 160, 90);
        store.PhotoInsert({0, 3, names[i], i < 3 ? L"12/31/2015" : L"3/7/2016", L""});
    }
    store.NoteInsert({0, 3, L"12172015:192312", L"First visit: rash on the left forearm."});
    store.NoteInsert({0, 3, L"03072016:140505", L"Follow-up: healing well, photos taken."});
}

// Patient 3's captures in the review windows: the image browser as the camera window opens it,
// then the clip's poster opened from the media list in the comment dialog, and its comment
// typed in the detail dialog.
void ReviewCaptures(CDlgOperationRoom& room, ModalWindow& window,
                    const std::filesystem::path& program) {
    const std::wstring patient = text::FromPath(program / "database" / "3");
    DATABASECONTEXT store(&room);
    store.DatabaseCreate();
    CDlgImageBrowser browser(&room);
    browser.SetMediaContext(&store, 3, patient + L"/images/", patient + L"/videos/");
    OnNextModal([](ModalWindow& review) {
        Save(review.Grab(), "image-browser");
        review.Click(imagebrowser::kBack);
    });
    browser.DoModal();

    OnNextModal([](ModalWindow& comment) {
        Save(comment.Grab(), "image-comment");
        OnNextModal([](ModalWindow& detail) {
            detail.Type(imagedetail::kComment,
                        L"Lesion on the left forearm, 14 x 9 mm, borders regular.\r\n"
                        L"Slightly raised since the first visit; no bleeding.\r\n"
                        L"Review again in six weeks.");
            Save(detail.Grab(), "image-detail");
            detail.Click(imagedetail::kExit);
        });
        comment.Click(imagecomment::kDetail);
        comment.Click(imagecomment::kExit);
    });
    window.Activate(kMediaList, 5);
    PhotoRecord row{0, 0, L"V1512311846002", L"", L""};
    Check(store.PhotoSelectByName(row) && row.comment.starts_with(L"Lesion"), "comment stored");
}

void Tour(CDlgOperationRoom& room, ModalWindow& window, const std::filesystem::path& photo,
          const std::filesystem::path& program) {
    Save(ui::testing::Grab(room), "start");

    window.Type(kSearchText, L"F33");
    window.Click(kSearch);
    Check(room.Control<ui::ListBoxControl>(kCustomerList)->Count() == 1, "search found one");
    Save(ui::testing::Grab(room), "search");
    window.Type(kSearchText, L"");
    window.Click(kSearch);

    window.Activate(kCustomerList, 2);
    Check(window.ControlText(kName) == L"Name333", "patient 3 selected");
    Save(ui::testing::Grab(room), "patient-3");
    ReviewCaptures(room, window, program);

    tour::CameraSteps(room, window, Save, Check);

    window.Click(kAddCustomer);
    Check(window.ControlText(kName) == L"NewCustomer", "a new patient");
    Save(ui::testing::Grab(room), "new-patient");

    window.Click(kAddNote);
    window.Type(kNoteText, L"Initial consultation: patient's history taken.");
    ScreenshotAndClick(room, resources::kControlBoxOk, "note-saved");
    window.Click(kNoteSave);

    OnNextModal([&photo](ModalWindow& dialog) { dialog.ChooseFile(text::FromPath(photo)); });
    OnNextModal([](ModalWindow& box) { box.Answer(ui::kIdYes); });
    window.Click(kIdPhoto);
    Save(ui::testing::Grab(room), "identity-photo");

    window.Type(kName, L"Jane Doe");
    window.Type(kPid, L"A123456789");
    window.Type(kAddress, L"14 Harbour Lane\r\nPort Ellis");
    window.Select(kGender, 1);
    window.Select(kBloodType, 2);
    ScreenshotAndClick(room, resources::kControlBoxOk, "patient-saved");
    window.Click(kSave);
    Save(ui::testing::Grab(room), "patient-listed");

    ScreenshotAndClick(room, resources::kControlBoxYes, "delete-question");
    ScreenshotAndClick(room, resources::kControlBoxOk, "patient-deleted");
    window.Click(kDelete);
    Check(room.Control<ui::ListBoxControl>(kCustomerList)->Count() == 5, "patient deleted");
    Save(ui::testing::Grab(room), "after-delete");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[1]);
    const std::filesystem::path program = output / "program";
    gScreenshots = output / "screenshots";
    std::filesystem::remove_all(program);
    std::filesystem::remove_all(gScreenshots);
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(gScreenshots);
    program::testing::SetFolder(program);
    // The data source is registered in the tour's own folder, not in the user's.
    setenv("ODBCINI", (program / "odbc.ini").c_str(), 1);

    ui::testing::StartUi();
    AddSampleData(program);
    const std::filesystem::path photo = output / "portrait.jpg";
    tour::Portrait(480, 640, ui::Rgb(190, 205, 225), ui::Rgb(90, 60, 110))
        .SaveImageFile(text::FromPath(photo));

    // The camera steps work the virtual camera: a moving test picture with an extension unit.
    const capture::testing::VirtualCamera camera;
    std::printf("tour: screenshots in %s\n", gScreenshots.c_str());
    CDlgOperationRoom room(nullptr);
    OnNextModal([](ModalWindow& cover) {
        Save(cover.Grab(), "cover");
        cover.WaitUntilEnded(5000);
    });
    OnNextModal([&](ModalWindow& window) {
        Tour(room, window, photo, program);
        window.Click(kExit);
        window.WaitUntilEnded(5000);
    });
    room.DoModal();
    Check(ui::testing::PendingModalActions() == 0, "every window of the tour appeared");
    std::printf("tour: %s\n", gProblems == 0 ? "done" : "FAILED");
    return gProblems == 0 ? 0 : 1;
}
