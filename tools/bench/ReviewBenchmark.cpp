// Review windows benchmark, on a patient folder of 1,000 captures whose four newest (last in
// folder order) are full 1920 x 1080 stills and the others small pictures (only their names
// are read: the browser lists every capture but loads only the four it shows):
//   - opening the image browser: from the start of its modal run to the window shown, with the
//     folder listed and sorted and the four pictures loaded and stretched into the slots;
//     beside it, the time to read those four files' bytes;
//   - one Previous or Next in the comment dialog among the full-size stills: the folder
//     listed and sorted, the neighbour found, loaded and stretched over the slot grid.
// Runs offscreen on the virtual 1920 x 1080 screen; the files are in the page cache after the
// first run, as on a workstation reviewing the same patient. Prints the medians in
// milliseconds of the wall clock and of the processor time the program's thread used (which
// other programs competing for the processors do not inflate), and asserts nothing.
//
//   sorvanti_bench_review [work-folder]   (default: a new folder under /tmp, removed after)
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/text/Format.h"
#include "platform/text/Text.h"
#include "platform/ui/testing/UiTesting.h"
#include "records/DATABASECONTEXT.h"
#include "review/CDlgImageBrowser.h"
#include "review/CDlgImageComment.h"
#include "review/ReviewIds.h"
#include "tools/bench/SampleDatabase.h"
#include "utility/bitmaps/Bitmaps.h"

namespace {

using Clock = std::chrono::steady_clock;

// Wall-clock and thread processor time, in milliseconds.
struct Times {
    double wall = 0;
    double processor = 0;
};

double ThreadProcessorMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

class Stopwatch {
  public:
    Times Elapsed() const {
        return {std::chrono::duration<double, std::milli>(Clock::now() - mWall).count(),
                ThreadProcessorMilliseconds() - mProcessor};
    }

  private:
    Clock::time_point mWall = Clock::now();
    double mProcessor = ThreadProcessorMilliseconds();
};
using ui::testing::ModalWindow;
using ui::testing::OnNextModal;

constexpr int kCaptures = 1000;
constexpr int kFullSize = 4;
constexpr int kOpenRuns = 15;
constexpr int kSteps = 40;
constexpr double kOpenTarget = 250;
constexpr double kStepTarget = 60;

Times Median(std::vector<Times> values) {
    const auto middle = values.size() / 2;
    std::vector<double> wall;
    std::vector<double> processor;
    for (const Times& value : values) {
        wall.push_back(value.wall);
        processor.push_back(value.processor);
    }
    std::nth_element(wall.begin(), wall.begin() + middle, wall.end());
    std::nth_element(processor.begin(), processor.begin() + middle, processor.end());
    return {wall[middle], processor[middle]};
}

std::string CaptureName(int index) {
    return text::sprintf("P160307%06d1.bmp", index);
}

// A still with a gradient and noise, so that scaling has real work to do.
ui::Bitmap Still(int width, int height, unsigned seed) {
    const size_t stride = (static_cast<size_t>(width) * 24 + 31) / 32 * 4;
    std::vector<std::byte> pixels(stride * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245 + 12345;
            std::byte* pixel = pixels.data() + stride * y + static_cast<size_t>(x) * 3;
            pixel[0] = static_cast<std::byte>(x * 255 / width);
            pixel[1] = static_cast<std::byte>(y * 255 / height);
            pixel[2] = static_cast<std::byte>((seed >> 16) & 0xFF);
        }
    }
    return UTILITY_CreateBitmapFromBuffer(nullptr, width, height, 24, pixels.data(), pixels.size());
}

bool WriteCaptures(const std::filesystem::path& images) {
    std::filesystem::create_directories(images / "thumbnail");
    const ui::Bitmap small = Still(160, 90, 1);
    for (int i = 0; i < kCaptures; ++i) {
        const bool full = i >= kCaptures - kFullSize;
        const ui::Bitmap picture = full ? Still(1920, 1080, 1000 + i) : small;
        if (!UTILITY_SaveBitmapFile(picture, text::FromPath(images / CaptureName(i)))) {
            return false;
        }
    }
    return true;
}

Times ReadFourFiles(const std::filesystem::path& images) {
    const Stopwatch stopwatch;
    for (int i = kCaptures - kFullSize; i < kCaptures; ++i) {
        std::ifstream file(images / CaptureName(i), std::ios::binary | std::ios::ate);
        std::vector<char> bytes(static_cast<size_t>(file.tellg()));
        file.seekg(0);
        file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return stopwatch.Elapsed();
}

Times OpenBrowser(DATABASECONTEXT& store, const std::wstring& images, const std::wstring& videos) {
    CDlgImageBrowser browser(nullptr);
    browser.SetMediaContext(&store, 3, images, videos);
    Times shown;
    const Stopwatch stopwatch;
    OnNextModal([&](ModalWindow& window) {
        shown = stopwatch.Elapsed();
        window.Click(imagebrowser::kExit);
    });
    browser.DoModal();
    return shown;
}

std::vector<Times> StepInComment(DATABASECONTEXT& store, const std::wstring& images,
                                 const std::wstring& videos) {
    CDlgImageComment comment(nullptr);
    comment.SetMediaContext(&store, 3, images, videos,
                            images + text::FromUtf8(CaptureName(kCaptures - kFullSize)));
    std::vector<Times> steps;
    OnNextModal([&](ModalWindow& window) {
        // Back and forth over the full-size stills: three Next, three Previous, ...
        for (int i = 0; i < kSteps; ++i) {
            const bool forward = (i / (kFullSize - 1)) % 2 == 0;
            const Stopwatch stopwatch;
            window.Click(forward ? imagecomment::kNext : imagecomment::kPrevious);
            steps.push_back(stopwatch.Elapsed());
        }
        window.Click(imagecomment::kExit);
    });
    comment.DoModal();
    return steps;
}

}  // namespace

int main(int argc, char** argv) {
    const bool ownFolder = argc < 2;
    std::filesystem::path folder;
    if (ownFolder) {
        std::string pattern = (std::filesystem::temp_directory_path() / "sorvanti-bench-XXXXXX");
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            return 1;
        }
        folder = pattern;
    } else {
        folder = std::filesystem::absolute(argv[1]);
        std::filesystem::create_directories(folder);
    }
    UseProgramFolder(folder);
    ui::testing::StartUi();
    const std::filesystem::path patient = folder / "database" / "3";
    if (!WriteCaptures(patient / "images")) {
        std::fprintf(stderr, "the captures could not be written\n");
        return 1;
    }
    std::filesystem::create_directories(patient / "videos");
    const std::wstring images = text::FromPath(patient / "images") + L"/";
    const std::wstring videos = text::FromPath(patient / "videos") + L"/";

    int status = 0;
    {
        DATABASECONTEXT store(nullptr);
        store.DatabaseCreate();
        std::vector<Times> opens;
        std::vector<Times> reads;
        for (int run = 0; run < kOpenRuns + 1; ++run) {
            const Times open = OpenBrowser(store, images, videos);
            const Times read = ReadFourFiles(patient / "images");
            if (run > 0) {  // the first run warms the page cache and the windowing system
                opens.push_back(open);
                reads.push_back(read);
            }
        }
        const std::vector<Times> steps = StepInComment(store, images, videos);
        if (steps.size() != kSteps) {
            status = 1;
        } else {
            const Times open = Median(opens);
            const Times read = Median(reads);
            const Times step = Median(steps);
            std::printf(
                "image browser on %d captures, open (target <= %.0f ms): %.1f ms wall, "
                "%.1f ms processor (median of %d)\n",
                kCaptures, kOpenTarget, open.wall, open.processor, kOpenRuns);
            std::printf("  reading the four pictures' bytes: %.1f ms wall, %.1f ms processor\n",
                        read.wall, read.processor);
            std::printf(
                "comment dialog, Previous/Next (target <= %.0f ms): %.1f ms wall, "
                "%.1f ms processor (median of %d)\n",
                kStepTarget, step.wall, step.processor, kSteps);
        }
    }
    if (ownFolder) {
        std::filesystem::remove_all(folder);
    }
    return status;
}
