// A local image archive for the tests: the Debian package's Orthanc (/usr/sbin/Orthanc) run
// with a configuration of its own in a temporary folder (storage, index, free DICOM and HTTP
// ports on localhost, called AE checked), read back through its REST API. Start() fails the
// test loudly when Orthanc is not installed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace archivetest {

// A TCP port on 127.0.0.1 free at the time of asking.
uint16_t FreePort();

class LocalOrthanc {
  public:
    static constexpr char kAeTitle[] = "ARCHIVE";

    LocalOrthanc();
    ~LocalOrthanc();
    LocalOrthanc(const LocalOrthanc&) = delete;
    LocalOrthanc& operator=(const LocalOrthanc&) = delete;

    // Starts it and waits until both ports answer; keeps its storage over Stop() and Start().
    void Start();
    void Stop();

    uint16_t DicomPort() const { return mDicomPort; }
    // The body of a REST GET ("/instances"); fails the test on a status other than 200.
    std::string Get(const std::string& path) const;

  private:
    std::filesystem::path mFolder;
    uint16_t mDicomPort;
    uint16_t mHttpPort;
    pid_t mProcess = -1;
};

// The string value of `key` in a flat JSON object ("" when absent), escapes undone.
std::string JsonString(const std::string& json, const std::string& key);
// The strings of a JSON array of strings, or of the array under `key` when given.
std::vector<std::string> JsonStrings(const std::string& json, const std::string& key = "");

}  // namespace archivetest
