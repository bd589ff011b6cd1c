// The image archive's figures: the cost of queueing a filed capture (one filing of one capture,
// and one filing of many), and sending full-HD stills to a local Orthanc through the sender
// (conversion included) against DCMTK's storescu on the same images already converted.
// Prints figures, asserts nothing. `sorvanti_bench_archive [stills]`, 100 by default.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcfilefo.h>

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

TEST(ArchiveBenchmark, QueueingAndSending) {
    testsupport::TestProgramFolder folder;
    std::vector<ArchiveItem> items;
    for (int i = 0; i < gStills; ++i) {
        items.push_back(archivetest::Item(1, CaptureName(i)));
        archivetest::FilePicture(items.back(), 1920, 1080);
    }

    {
        ArchiveQueue queue(folder.Path() / "queue-single");
        std::string error;
        const auto start = Clock::now();
        for (const ArchiveItem& item : items) {
            queue.Enqueue({item}, error);
        }
        std::printf("enqueue, one capture per filing:     %.3f ms per capture\n",
                    Milliseconds(Clock::now() - start) / gStills);
        ArchiveQueue batch(folder.Path() / "queue-batch");
        const auto batchStart = Clock::now();
        batch.Enqueue(items, error);
        std::printf("enqueue, %d captures in one filing: %.3f ms per capture\n", gStills,
                    Milliseconds(Clock::now() - batchStart) / gStills);
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
