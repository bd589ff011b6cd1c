// Permission tests need the kernel to check permissions, which it does not do for root. Run as
// root, Unprivileged switches the effective user to "nobody" for its lifetime (handing the test
// folder to it first); run as anyone else it changes nothing. Create it before the files the
// test makes, so that they belong to the user the test runs as.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace testsupport {

class Unprivileged {
  public:
    explicit Unprivileged(const std::filesystem::path& testFolder) {
        if (::geteuid() == 0) {
            mSwitched =
                ::chown(testFolder.c_str(), kNobody, kNobody) == 0 && ::seteuid(kNobody) == 0;
        }
    }
    ~Unprivileged() {
        if (mSwitched && ::seteuid(0) != 0) {
            ADD_FAILURE() << "could not return to root";
        }
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    // Whether permissions are enforced now; a test that relies on them skips otherwise.
    bool Enforced() const { return ::geteuid() != 0; }

  private:
    static constexpr uid_t kNobody = 65534;
    bool mSwitched = false;
};

}  // namespace testsupport
