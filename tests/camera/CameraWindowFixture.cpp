// The camera window's test fixture.
#include "tests/camera/CameraWindowFixture.h"

#include <algorithm>

#include "camera/CCameraManager.h"
#include "resources/ResourceIds.h"
#include "tests/support/ConfigurationFixture.h"
#include "utility/boxes/CImageMsgBoxDlg.h"

namespace fs = std::filesystem;
using ui::testing::ModalWindow;

capture::VirtualCameraConfig RawFullHdCamera() {
    capture::VirtualCameraConfig config;
    config.formats.clear();
    for (uint32_t subtype : {capture::kSubtypeYuy2, capture::kSubtypeNv12}) {
        capture::MediaType type;
        type.subtype = subtype;
        type.width = 1920;
        type.height = 1080;
        type.bitCount = capture::BitCountOf(subtype);
        type.avgTimePerFrame = 333333;
        config.formats.push_back(type);
    }
    return config;
}

CameraWindowTest::CameraWindowTest()
    : mCamera(std::make_unique<capture::testing::VirtualCamera>(RawFullHdCamera())) {
    testsupport::WriteFileBytes(mFolder.Path() / "Sorvanti.ini",
                                std::string(testsupport::kDefaultConfiguration));
    mStore.DatabaseCreate();
}

void CameraWindowTest::Run(int32_t serial, const Steps& steps, int32_t mode) {
    CDlgCamera camera(nullptr, mClock);
    camera.Prepare(mode, mContext, &mStore, serial);
    ui::testing::OnNextModal([&](ModalWindow& window) {
        steps(window, camera);
        EXPECT_TRUE(window.WaitUntilEnded(60000)) << "the camera window stayed open";
    });
    camera.DoModal();
}

void CameraWindowTest::Click(CDlgCamera& camera, CameraWindowLayout::Button button) {
    ClickAt(camera, camera.ButtonRect(button).TopLeft());
}

void CameraWindowTest::ClickAt(CDlgCamera& camera, ui::Point point) {
    camera.PostLeftButtonDown(point);
    ui::testing::PumpEvents();
}

bool CameraWindowTest::WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + cameratest::kDeadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        ui::testing::PumpEvents(10);
    }
    return true;
}

bool CameraWindowTest::WaitForFrame(CDlgCamera& camera) {
    std::vector<uint8_t> frame;
    int32_t size = 0;
    return WaitFor([&] { return GetFrameBuffer(camera.Manager()->Device().Graph(), frame, size); });
}

void CameraWindowTest::ExpectMessage(const std::wstring& text) {
    ui::testing::OnNextModal([text](ModalWindow& box) {
        auto* dialog = dynamic_cast<CImageMsgBoxDlg*>(box.Dialog());
        ASSERT_NE(dialog, nullptr) << "not the skinned message box";
        EXPECT_EQ(dialog->MessageText(), text);
        box.Click(resources::kControlBoxOk);
    });
}

std::vector<std::string> CameraWindowTest::Files(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->is_regular_file()) {
            names.push_back(entry->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool CameraWindowTest::HasRow(int32_t serial, const std::wstring& name) {
    PhotoRecord photo;
    photo.customerSerialNumber = serial;
    photo.name = name;
    return mStore.PhotoSelect(photo);
}
