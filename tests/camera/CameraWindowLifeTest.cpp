// The camera window's life among other things happening: the camera unplugged mid-recording,
// another USB device removed, a filing that fails and is retried, a second instance of the
// program, a session that was killed, and no thread or descriptor left behind.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>

#include <filesystem>

#include "camera/CCameraManager.h"
#include "platform/sys/DeviceNotifications.h"
#include "tests/camera/CameraWindowFixture.h"
#include "tests/support/ClipProbe.h"
#include "tests/support/FileSizeLimit.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Button = CameraWindowLayout::Button;
using ui::testing::ModalWindow;
using Names = std::vector<std::string>;

constexpr wchar_t kFilingFailed[] = L"Some captures could not be filed! Press Exit to retry.";

// Runs the other instance of the program (CameraInstanceHelper.cpp) to its end; its wait
// status.
int RunOtherInstance(const fs::path& programFolder, const std::string& mode, int32_t serial) {
    std::string folder = programFolder.string();
    std::string serialText = std::to_string(serial);
    std::string modeText = mode;
    std::string program = CAMERA_INSTANCE_HELPER;
    char* argv[] = {program.data(), folder.data(), modeText.data(), serialText.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        ADD_FAILURE() << "could not start " << program;
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A disk that holds about a megabyte at `folder`: a small file system mounted there where the
// system lets the test mount one, else a limit on the size of every file this process writes.
class FullDisk {
  public:
    explicit FullDisk(const fs::path& folder) : mFolder(folder) {
        fs::create_directories(folder);
        mMounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=1m") == 0;
        if (!mMounted) {
            mLimit = std::make_unique<testsupport::FileSizeLimit>(1 << 20);
        }
    }
    ~FullDisk() {
        if (mMounted) {
            ::umount2(mFolder.c_str(), MNT_DETACH);
        }
    }

  private:
    fs::path mFolder;
    bool mMounted = false;
    std::unique_ptr<testsupport::FileSizeLimit> mLimit;
};

std::size_t Entries(const char* folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST_F(CameraWindowTest, UnpluggedDuringARecordingTheClipIsFinishedAndFiledBeforeTheWindowCloses) {
    mCamera.reset();
    mCamera = std::make_unique<capture::testing::VirtualCamera>();  // Motion-JPEG, as cameras are
    Run(4, [&](ModalWindow&, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kRecord);
        ASSERT_TRUE(camera.IsRecording());
        const fs::path clip = Temp() / "videos/V2403020905071.avi";
        ASSERT_TRUE(WaitFor([&] { return fs::exists(clip) && fs::file_size(clip) > 200000; }));
        ExpectMessage(L"Can't find camera device.");
        mCamera->Unplug();
    });
    const ClipInfo clip = ProbeClip((Database() / "4/videos/V2403020905071.avi").string());
    EXPECT_TRUE(clip.decoded);
    EXPECT_GT(clip.frames, 0);
    EXPECT_TRUE(HasRow(4, L"V2403020905071"));
    EXPECT_TRUE(Files(Temp() / "videos").empty());
}

TEST_F(CameraWindowTest, AnotherUsbDevicesRemovalChangesNothing) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        sys::PublishUsbDeviceEvent(sys::DeviceEvent::kRemovalComplete);
        Click(camera, Button::kRecord);
        ASSERT_TRUE(WaitFor([&] { return fs::exists(Temp() / "videos/V2403020905071.avi"); }));
        Click(camera, Button::kRecord);
        EXPECT_TRUE(window.IsOpen());
        Click(camera, Button::kExit);
    });
    EXPECT_TRUE(HasRow(4, L"V2403020905071"));
}

TEST_F(CameraWindowTest, AFailedFilingKeepsEveryCaptureAndTheWindowUntilExitFilesThem) {
    Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kStill);
        mClock.Advance(std::chrono::seconds(1));
        Click(camera, Button::kStill);
        const Names stills = {"P2403020905071.bmp", "P2403020905082.bmp"};
        {
            SCOPED_TRACE("the patient's disk is full");
            FullDisk full(Database() / "4");
            ExpectMessage(kFilingFailed);
            Click(camera, Button::kExit);
        }
        {
            SCOPED_TRACE("the patient's thumbnail folder is a file");
            fs::remove_all(Database() / "4/images/thumbnail");
            testsupport::WriteFileBytes(Database() / "4/images/thumbnail", "in the way");
            ExpectMessage(kFilingFailed);
            Click(camera, Button::kExit);
            fs::remove(Database() / "4/images/thumbnail");
        }
        EXPECT_TRUE(window.IsOpen());
        EXPECT_EQ(Files(Temp() / "images"), stills);
        EXPECT_EQ(Files(Temp() / "images/thumbnail"), stills);
        EXPECT_FALSE(HasRow(4, L"P2403020905071"));
        Click(camera, Button::kExit);
    });
    EXPECT_EQ(Files(Database() / "4/images"), (Names{"P2403020905071.bmp", "P2403020905082.bmp"}));
    EXPECT_TRUE(HasRow(4, L"P2403020905071"));
    EXPECT_TRUE(HasRow(4, L"P2403020905082"));
    EXPECT_TRUE(Files(Temp() / "images").empty());
}

TEST_F(CameraWindowTest, ASecondInstanceCannotClearTheOpenWindowsTemp) {
    Run(4, [&](ModalWindow&, CDlgCamera& camera) {
        ASSERT_TRUE(WaitForFrame(camera));
        Click(camera, Button::kStill);
        const int status = RunOtherInstance(mFolder.Path(), "refused", 5);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        EXPECT_EQ(Files(Temp() / "images"), Names{"P2403020905071.bmp"});
        EXPECT_EQ(testsupport::ReadFileBytes(Database() / "Temp.lock"), "4");
        Click(camera, Button::kExit);
    });
    EXPECT_TRUE(HasRow(4, L"P2403020905071"));
    EXPECT_FALSE(fs::exists(Database() / "5"));
    EXPECT_EQ(testsupport::ReadFileBytes(Database() / "Temp.lock"), "");
}

TEST_F(CameraWindowTest, TheNextWindowFilesWhatAKilledSessionLeftToItsPatient) {
    const int status = RunOtherInstance(mFolder.Path(), "killed", 3);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    const Names left = {"P2403021000001.bmp", "P2403021000012.bmp"};
    ASSERT_EQ(Files(Temp() / "images"), left);

    ExpectMessage(L"2 captures of an interrupted session were filed.");
    Run(4, [&](ModalWindow& window, CDlgCamera&) {
        EXPECT_TRUE(Files(Temp() / "images").empty());
        window.PressEscape();
    });
    EXPECT_EQ(Files(Database() / "3/images"), left);
    EXPECT_EQ(Files(Database() / "3/images/thumbnail"), left);
    EXPECT_TRUE(HasRow(3, L"P2403021000001"));
    EXPECT_TRUE(HasRow(3, L"P2403021000012"));
    EXPECT_NE(testsupport::ReadFileBytes(mFolder.Path() / "Sorvanti_LOG.ini")
                  .find("Customer : [3]\r\nFiled : [2] Kept : [0]"),
              std::string::npos);
}

TEST_F(CameraWindowTest, NoThreadOrDescriptorOutlivesAWindow) {
    const auto cycle = [&] {
        Run(4, [&](ModalWindow& window, CDlgCamera& camera) {
            ASSERT_TRUE(WaitForFrame(camera));
            Click(camera, Button::kStill);
            Click(camera, Button::kRecord);
            mClock.Advance(std::chrono::seconds(1));
            window.PressEscape();
        });
    };
    cycle();  // the first window starts what lives as long as the process (the window system's)
    const std::size_t threads = Entries("/proc/self/task");
    const std::size_t descriptors = Entries("/proc/self/fd");
    for (int i = 0; i < 20; ++i) {
        cycle();
    }
    // Threads of a finished pipeline may take a moment to end.
    EXPECT_TRUE(WaitFor([&] { return Entries("/proc/self/task") <= threads; }))
        << Entries("/proc/self/task") << " threads, " << threads << " before";
    EXPECT_EQ(Entries("/proc/self/fd"), descriptors);
}

TEST_F(CameraWindowTest, WithoutACameraTheWindowSaysSoAndCloses) {
    mCamera.reset();
    if (!capture::EnumerateVideoDevices().empty()) {
        GTEST_SKIP() << "a camera is attached to this machine";
    }
    CDlgCamera camera(nullptr, mClock);
    camera.Prepare(CDlgCamera::kCaptureMode, mContext, &mStore, 4);
    ExpectMessage(L"Can't find camera device!");
    EXPECT_EQ(camera.DoModal(), ui::kIdCancel);
    EXPECT_FALSE(fs::exists(Temp()));
}

}  // namespace
