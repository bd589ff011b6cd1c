// Bitmap save benchmark: the file work of one capture, a 1920 x 1080 still saved as a 24-bit
// .bmp file plus its half-tone 160 x 90 thumbnail, through the utility library's bitmap
// functions; against a plain write of the same bytes into the same two files. Prints the median
// of each in milliseconds and their ratio.
//
//   sorvanti_bench_bitmaps [work-folder]   (default: a new folder under /tmp, removed after)
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "utility/bitmaps/Bitmaps.h"

namespace {

constexpr int kRuns = 41;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 90;

// A still as the camera hands it over: a bottom-up 24-bit buffer, here with a gradient and
// noise so that scaling has real work to do.
ui::Bitmap MakeStill() {
    const size_t stride = (static_cast<size_t>(kWidth) * 24 + 31) / 32 * 4;
    std::vector<std::byte> pixels(stride * kHeight);
    unsigned seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245 + 12345;
            std::byte* pixel = pixels.data() + stride * y + static_cast<size_t>(x) * 3;
            pixel[0] = static_cast<std::byte>(x * 255 / kWidth);
            pixel[1] = static_cast<std::byte>(y * 255 / kHeight);
            pixel[2] = static_cast<std::byte>((seed >> 16) & 0xFF);
        }
    }
    return UTILITY_CreateBitmapFromBuffer(nullptr, kWidth, kHeight, 24, pixels.data(),
                                          pixels.size());
}

std::vector<char> ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The baseline: the same bytes written with the same calls the save uses.
bool PlainWrite(const std::filesystem::path& path, const std::vector<char>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            ::close(fd);
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return ::close(fd) == 0;
}

// Milliseconds `work` took; negative when it failed.
double Milliseconds(const std::function<bool()>& work) {
    const auto start = std::chrono::steady_clock::now();
    if (!work()) {
        return -1;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

int Run(const std::filesystem::path& folder) {
    const ui::Bitmap still = MakeStill();
    const std::wstring stillPath = (folder / "still.bmp").wstring();
    const std::wstring thumbnailPath = (folder / "thumbnail.bmp").wstring();
    auto save = [&] {
        return UTILITY_SaveBitmapFile(still, stillPath) &&
               UTILITY_SaveScaledBitmapFile(nullptr, still, thumbnailPath, kWidth, kHeight,
                                            kThumbnailWidth, kThumbnailHeight);
    };
    if (!save()) {
        std::fprintf(stderr, "saving into %s failed\n", folder.c_str());
        return 1;
    }
    const std::vector<char> stillBytes = ReadFile(stillPath);
    const std::vector<char> thumbnailBytes = ReadFile(thumbnailPath);
    auto write = [&] {
        return PlainWrite(folder / "still.bmp", stillBytes) &&
               PlainWrite(folder / "thumbnail.bmp", thumbnailBytes);
    };
    // Save and write take turns, so that both see the same load from the rest of the machine.
    std::vector<double> saves;
    std::vector<double> writes;
    for (int run = 0; run < kRuns; ++run) {
        saves.push_back(Milliseconds(save));
        writes.push_back(Milliseconds(write));
    }
    const double saved = Median(saves);
    const double written = Median(writes);
    const bool failed = *std::min_element(saves.begin(), saves.end()) < 0 ||
                        *std::min_element(writes.begin(), writes.end()) < 0;
    if (failed) {
        std::fprintf(stderr, "a save or write into %s failed\n", folder.c_str());
        return 1;
    }
    std::printf("still %dx%d (%zu bytes) + thumbnail %dx%d (%zu bytes), median of %d runs\n",
                kWidth, kHeight, stillBytes.size(), kThumbnailWidth, kThumbnailHeight,
                thumbnailBytes.size(), kRuns);
    std::printf("%-40s %8.2f ms\n", "utility save (still + thumbnail)", saved);
    std::printf("%-40s %8.2f ms\n", "plain write of the same bytes", written);
    std::printf("%-40s %8.2f   target <= 1.50\n", "ratio", saved / written);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [work-folder]\n", argv[0]);
        return 2;
    }
    if (argc == 2) {
        std::filesystem::create_directories(argv[1]);
        return Run(argv[1]);
    }
    char pattern[] = "/tmp/sorvanti-bench-bitmaps-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const int result = Run(pattern);
    std::filesystem::remove_all(pattern);
    return result;
}
