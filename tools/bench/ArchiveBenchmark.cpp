// The image archive's figures: what queueing adds to a filing (the camera window's filing of one
// capture and of many, with the archive configured against without it), and sending full-HD
// stills to a local Orthanc through the sender (conversion included) against DCMTK's storescu on
// the same images already converted.
// Prints figures, asserts nothing. `sorvanti_bench_archive [stills]`, 100 by default.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcfilefo.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "archive/ArchiveLink.h"
#include "archive/ArchiveQueue.h"
#include "archive/ArchiveSender.h"
#include "archive/ArchiveSettings.h"
#include "archive/CaptureDicom.h"
#include "platform/fs/ProgramFolder.h"
#include "tests/archive/ArchiveFilingFixture.h"
#include "tests/archive/ArchiveTestSupport.h"
#include "tests/archive/LocalOrthanc.h"
#include "tests/support/TestProgramFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int gStills = 100;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

std::string CaptureName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "P25121%07d1", index);
    return name;
}

int RunStorescu(uint16_t port, const std::vector<std::string>& files) {
    std::vector<std::string> words = {"storescu",
                                      "-aet",
                                      "SORVANTI",
                                      "-aec",
                                      archivetest::LocalOrthanc::kAeTitle,
                                      "127.0.0.1",
                                      std::to_string(port)};
    words.insert(words.end(), files.begin(), files.end());
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    pid_t process = -1;
    if (::posix_spawnp(&process, "storescu", nullptr, nullptr, arguments.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    ::waitpid(process, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Filings of the camera window with and without the archive's observer, taken in turn so that
// both see the same disk and load; medians in ms.
class FilingBenchmark : public archivetest::ArchiveFilingFixture {
  protected:
    std::pair<double, double> MedianFilings(int filings, int perFiling) {
        const int32_t serial = AddPatient(L"B-1", L"Bench", L"1/1/2020");
        archivetest::WriteArchiveRegistry("127.0.0.1", 104, "ARCHIVE");
        ArchiveFilingHook hook(mStore, L"camera", [] { return std::wstring(L"id"); }, {});
        CaptureFiling filing(mStore, mPrompts, mFolder.WidePath());
        std::vector<double> times[2];
        for (int i = 0; i < 2 * filings; ++i) {
            for (int j = 0; j < perFiling; ++j) {
                Capture(CaptureName(mNext++), 160, 90);
            }
            const bool archived = i % 2 == 1;
            filing.SetObserver(archived ? hook.Observer() : nullptr);
            const auto start = Clock::now();
            filing.FileTemp(serial);
            times[archived].push_back(Milliseconds(Clock::now() - start));
        }
        for (auto& series : times) {
            std::sort(series.begin(), series.end());
        }
        return {times[0][filings / 2], times[1][filings / 2]};
    }
    int mNext = 0;
};

TEST_F(FilingBenchmark, WhatQueueingAddsToAFiling) {
    for (const int perFiling : {1, 10}) {
        const auto [without, with] = MedianFilings(100, perFiling);
        std::printf(
            "filing of %d capture(s), median: %.2f ms without the archive, %.2f ms with "
            "it: queueing adds %.3f ms per capture\n",
            perFiling, without, with, (with - without) / perFiling);
    }
}

TEST(ArchiveBenchmark, Sending) {
    testsupport::TestProgramFolder folder;
    std::vector<ArchiveItem> items;
    for (int i = 0; i < gStills; ++i) {
        items.push_back(archivetest::Item(1, CaptureName(i)));
        archivetest::FilePicture(items.back(), 1920, 1080);
    }

    std::vector<std::string> files;
    std::size_t bytes = 0;
    const auto convertStart = Clock::now();
    for (const ArchiveItem& item : items) {
        std::string error;
        auto dataset = BuildCaptureDataset(item, FiledPicturePath(folder.Path(), item), error);
        ASSERT_NE(dataset, nullptr) << error;
        DcmFileFormat file(dataset.get());
        files.push_back((folder.Path() / (item.captureName + ".dcm")).string());
        ASSERT_TRUE(file.saveFile(files.back().c_str(), EXS_LittleEndianExplicit).good());
        bytes += fs::file_size(files.back());
    }
    std::printf("conversion: %.1f ms per still, %.1f MB per image\n",
                Milliseconds(Clock::now() - convertStart) / gStills, bytes / 1e6 / gStills);

    double ours = 0;
    {
        archivetest::LocalOrthanc archive;
        archive.Start();
        archivetest::WriteArchiveRegistry("127.0.0.1", archive.DicomPort(),
                                          archivetest::LocalOrthanc::kAeTitle);
        std::string problem;
        ArchiveLink link(ReadArchiveSettings(problem).value());
        ArchiveQueue queue(ArchiveQueue::DefaultFolder());
        std::string error;
        queue.Enqueue(items, error);
        const std::atomic<bool> stop{false};
        const auto start = Clock::now();
        const SendPassResult result = SendPending(queue, link, folder.Path(), stop);
        ours = Milliseconds(Clock::now() - start);
        std::printf("sender (conversion included): %d stills in %.0f ms, %.1f ms per still\n",
                    result.sent, ours, ours / gStills);
    }
    {
        archivetest::LocalOrthanc archive;
        archive.Start();
        const auto start = Clock::now();
        const int code = RunStorescu(archive.DicomPort(), files);
        const double storescu = Milliseconds(Clock::now() - start);
        std::printf("storescu (converted files): exit %d, %.0f ms, %.1f ms per still\n", code,
                    storescu, storescu / gStills);
        std::printf("ratio sender / storescu: %.2f\n", ours / storescu);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        gStills = std::max(1, std::atoi(argv[1]));
    }
    return RUN_ALL_TESTS();
}
