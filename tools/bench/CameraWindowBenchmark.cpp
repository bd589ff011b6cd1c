// Camera window benchmark on the virtual camera (raw 1920 x 1080), headless:
//   - a still click until its picture and thumbnail are on disk, against a plain write of the
//     same bytes into two new files (medians and their ratio);
//   - a release of the camera's key A until the still is on disk (median);
//   - Exit filing 100 stills and 5 ten-second clips, against `cp -r` of the same Temp tree and
//     `sync` on the same disk (medians and their ratio);
//   - 20 open/capture/close cycles: threads, descriptors and resident memory before and after.
// Prints figures and asserts nothing.
//
//   sorvanti_bench_camera
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "camera/CCameraManager.h"
#include "camera/CDlgCamera.h"
#include "platform/capture/VirtualCamera.h"
#include "platform/fs/ProgramFolder.h"
#include "platform/ui/testing/UiTesting.h"
#include "records/DATABASECONTEXT.h"
#include "tests/camera/CameraTestSupport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Button = CameraWindowLayout::Button;
using ui::testing::ModalWindow;

constexpr int kStillRuns = 21;
constexpr int kFilingRuns = 3;
constexpr int kCycles = 20;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<char> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<char>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        static_cast<void>(written);
        ::close(fd);
    }
}

bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (!condition()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        ui::testing::PumpEvents(1);
    }
    return true;
}

int Run(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

std::size_t Entries(const char* folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

class Bench {
  public:
    explicit Bench(const fs::path& folder) : mFolder(folder) {
        const std::string ini =
            "==Sorvanti Configuration==\r\n=Begin Of Configuration=\r\nVersion : 0x0324\r\n"
            "CameraVendor : 0xFFFF\r\nCameraProduct : 0xFFFF\r\n"
            "CameraResolutionIndexRecord : 0xFF\r\nCameraResolutionIndexCapture : 0xFF\r\n"
            "VideoProcAmp_Brightness : 0xFFFFFFFF\r\nVideoProcAmp_Contrast : 0xFFFFFFFF\r\n"
            "VideoProcAmp_Saturation : 0xFFFFFFFF\r\n=End Of Configuration=\r\n";
        std::ofstream(folder / "Sorvanti.ini", std::ios::binary) << ini;
        mStore.DatabaseCreate();
    }

    // Runs the camera window for patient `serial` with `steps`, which end it.
    void Window(int32_t serial, const std::function<void(CDlgCamera&, ModalWindow&)>& steps) {
        CDlgCamera camera(nullptr, mClock);
        camera.Prepare(CDlgCamera::kCaptureMode, mContext, &mStore, serial);
        ui::testing::OnNextModal([&](ModalWindow& window) {
            std::vector<uint8_t> frame;
            int32_t size = 0;
            WaitFor(
                [&] { return GetFrameBuffer(camera.Manager()->Device().Graph(), frame, size); });
            steps(camera, window);
            window.WaitUntilEnded(120000);
        });
        camera.DoModal();
    }

    void Stills() {
        std::vector<double> clicks, plain;
        const fs::path temp = mFolder / "database/Temp/images";
        Window(1, [&](CDlgCamera& camera, ModalWindow& window) {
            const ui::Point still = camera.ButtonRect(Button::kStill).TopLeft();
            for (int run = 0; run < kStillRuns; ++run) {
                mClock.Advance(std::chrono::seconds(1));
                const std::size_t before = Entries(temp.c_str());
                const auto start = Clock::now();
                camera.PostLeftButtonDown(still);
                WaitFor([&] { return Entries(temp.c_str()) > before; });
                clicks.push_back(MillisecondsSince(start));
            }
            // The same bytes, written plainly into two new files each time.
            std::vector<char> picture, thumbnail;
            for (const auto& entry : fs::directory_iterator(temp)) {
                if (entry.is_regular_file()) {
                    picture = ReadFile(entry.path());
                    thumbnail = ReadFile(temp / "thumbnail" / entry.path().filename());
                    break;
                }
            }
            for (int run = 0; run < kStillRuns; ++run) {
                const auto start = Clock::now();
                WriteFile(mFolder / ("plain" + std::to_string(run) + ".bmp"), picture);
                WriteFile(mFolder / ("plain" + std::to_string(run) + "t.bmp"), thumbnail);
                plain.push_back(MillisecondsSince(start));
            }
            window.PressEscape();
        });
        std::printf(
            "still click to picture and thumbnail on disk: median %.1f ms; plain write of "
            "the same bytes %.1f ms; ratio %.2f\n",
            Median(clicks), Median(plain), Median(clicks) / Median(plain));
    }

    void KeyRelease(capture::testing::VirtualCamera& camera) {
        std::vector<double> releases;
        const fs::path temp = mFolder / "database/Temp/images";
        Window(1, [&](CDlgCamera&, ModalWindow& window) {
            for (int run = 0; run < kStillRuns; ++run) {
                mClock.Advance(std::chrono::seconds(1));
                const std::size_t before = Entries(temp.c_str());
                const int polls = camera.UnitRequests();
                camera.PressKey(1);
                WaitFor([&] { return camera.UnitRequests() >= polls + 2; });
                const auto start = Clock::now();
                camera.ReleaseKey();
                WaitFor([&] { return Entries(temp.c_str()) > before; });
                releases.push_back(MillisecondsSince(start));
            }
            window.PressEscape();
        });
        std::printf(
            "key A released to the still on disk: median %.1f ms (keys are polled every "
            "100 ms)\n",
            Median(releases));
    }

    // Fills Temp with 100 stills and 5 ten-second clips made from one real still and one real clip.
    void FillTemp(const std::vector<char>& picture, const std::vector<char>& thumbnail,
                  const std::vector<char>& clip) {
        const fs::path temp = mFolder / "database/Temp";
        for (int i = 0; i < 100; ++i) {
            const std::string name = "P24030210" + std::to_string(1000 + i) + ".bmp";
            WriteFile(temp / "images" / name, picture);
            WriteFile(temp / "images/thumbnail" / name, thumbnail);
        }
        for (int i = 0; i < 5; ++i) {
            const std::string title = "V24030211" + std::to_string(1000 + i);
            WriteFile(temp / "images" / (title + ".bmp"), picture);
            WriteFile(temp / "images/thumbnail" / (title + ".bmp"), thumbnail);
            WriteFile(temp / "videos" / (title + ".avi"), clip);
        }
    }

    void Filing() {
        // One real still and one real ten-second clip as the material.
        std::vector<char> picture, thumbnail, clip;
        Window(1, [&](CDlgCamera& camera, ModalWindow& window) {
            camera.PostLeftButtonDown(camera.ButtonRect(Button::kRecord).TopLeft());
            ui::testing::PumpEvents();
            ui::testing::PumpEvents(10000);
            camera.PostLeftButtonDown(camera.ButtonRect(Button::kRecord).TopLeft());
            ui::testing::PumpEvents();
            const fs::path temp = mFolder / "database/Temp";
            for (const auto& entry : fs::directory_iterator(temp / "videos")) {
                clip = ReadFile(entry.path());
                const std::string poster = entry.path().stem().string() + ".bmp";
                picture = ReadFile(temp / "images" / poster);
                thumbnail = ReadFile(temp / "images/thumbnail" / poster);
            }
            window.PressEscape();
        });
        std::vector<double> filing, copy;
        for (int run = 0; run < kFilingRuns; ++run) {
            const int32_t serial = 2 + run;
            Run({"sync"});
            Window(serial, [&](CDlgCamera& camera, ModalWindow&) {
                FillTemp(picture, thumbnail, clip);
                Run({"sync"});
                const auto start = Clock::now();
                camera.PostLeftButtonDown(camera.ButtonRect(Button::kExit).TopLeft());
                ui::testing::PumpEvents();
                filing.push_back(MillisecondsSince(start));
            });
            const fs::path tree = mFolder / "database/Temp";
            FillTemp(picture, thumbnail, clip);
            const fs::path target = mFolder / ("copy" + std::to_string(run));
            Run({"sync"});
            const auto start = Clock::now();
            Run({"cp", "-r", tree.string(), target.string()});
            Run({"sync"});
            copy.push_back(MillisecondsSince(start));
            fs::remove_all(target);
        }
        std::printf(
            "Exit filing 100 stills and 5 ten-second clips (%.0f MB): median %.0f ms; "
            "cp -r and sync of the same tree %.0f ms; ratio %.2f\n",
            (105.0 * (picture.size() + thumbnail.size()) + 5.0 * clip.size()) / 1e6, Median(filing),
            Median(copy), Median(filing) / Median(copy));
    }

    void Cycles() {
        const auto cycle = [&] {
            Window(1, [&](CDlgCamera& camera, ModalWindow& window) {
                mClock.Advance(std::chrono::seconds(1));
                camera.PostLeftButtonDown(camera.ButtonRect(Button::kStill).TopLeft());
                ui::testing::PumpEvents();
                window.PressEscape();
            });
        };
        cycle();
        const std::size_t threads = Entries("/proc/self/task");
        const std::size_t descriptors = Entries("/proc/self/fd");
        const long memory = ResidentKilobytes();
        for (int i = 0; i < kCycles; ++i) {
            cycle();
        }
        WaitFor([&] { return Entries("/proc/self/task") <= threads; });
        std::printf(
            "%d open/capture/close cycles: threads %zu -> %zu, descriptors %zu -> %zu, "
            "resident memory %ld -> %ld kB\n",
            kCycles, threads, Entries("/proc/self/task"), descriptors, Entries("/proc/self/fd"),
            memory, ResidentKilobytes());
    }

  private:
    fs::path mFolder;
    DATABASECONTEXT mStore{nullptr};
    uint8_t mContext[40] = {};
    cameratest::ManualClock mClock{2024, 3, 2, 9, 0, 0};
};

}  // namespace

int main() {
    char pattern[] = "/tmp/sorvanti-bench-camera-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 1;
    }
    const fs::path folder = pattern;
    program::testing::SetFolder(folder);
    setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);
    ui::testing::StartUi();
    capture::VirtualCameraConfig config;
    config.formats.erase(config.formats.begin(), config.formats.begin() + 2);  // raw formats
    capture::testing::VirtualCamera camera(config);
    {
        Bench bench(folder);
        bench.Stills();
        bench.KeyRelease(camera);
        bench.Filing();
        bench.Cycles();
    }
    fs::remove_all(folder);
    return 0;
}
