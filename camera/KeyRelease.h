// Turns the camera's polled key state into key actions: a key acts once, when it is let go,
// however long it was held.
#pragma once

#include <cstdint>

class KeyRelease {
  public:
    static constexpr uint32_t kKeyA = 1;  // takes a still
    static constexpr uint32_t kKeyB = 2;  // starts or stops a recording

    // Feeds one polled value; returns the key that was just released (kKeyA or kKeyB), or 0.
    uint32_t Feed(uint32_t keyState) {
        const uint32_t released =
            (mHeld == kKeyA || mHeld == kKeyB) && keyState != mHeld ? mHeld : 0;
        mHeld = keyState;
        return released;
    }

  private:
    uint32_t mHeld = 0;
};
