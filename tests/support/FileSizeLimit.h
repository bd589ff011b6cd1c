// A full disk for the length of a scope: files of this process cannot grow past a given size
// (RLIMIT_FSIZE). SIGXFSZ is ignored meanwhile, so a write past the limit fails with EFBIG
// instead of ending the test program.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace testsupport {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &mSaved);
        mSavedHandler = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = mSaved;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &mSaved);
        ::signal(SIGXFSZ, mSavedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit mSaved{};
    sighandler_t mSavedHandler = SIG_DFL;
};

}  // namespace testsupport
