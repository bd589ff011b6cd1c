// The live picture's relay to its slots.
#include "camera/LivePicture.h"

#include <array>
#include <mutex>

namespace {

constexpr int kWhiteSide = 16;

// A small white frame, scaled by every slot to its window.
const std::array<uint8_t, kWhiteSide * kWhiteSide * 4>& WhiteFrame() {
    static const auto frame = [] {
        std::array<uint8_t, kWhiteSide * kWhiteSide * 4> pixels;
        pixels.fill(0xFF);
        return pixels;
    }();
    return frame;
}

}  // namespace

class LivePicture::Relay final : public ui::FrameSlot {
  public:
    void Present(const uint8_t* bgrx, int width, int height, int stride) override {
        std::lock_guard lock(mMutex);
        if (std::chrono::steady_clock::now() < mFlashUntil) {
            return;
        }
        for (const auto& slot : mSlots) {
            slot->Present(bgrx, width, height, stride);
        }
    }
    void Clear() override {
        std::lock_guard lock(mMutex);
        for (const auto& slot : mSlots) {
            slot->Clear();
        }
    }
    void Repaint() override {
        std::lock_guard lock(mMutex);
        for (const auto& slot : mSlots) {
            slot->Repaint();
        }
    }

    void ShowIn(std::vector<std::shared_ptr<ui::FrameSlot>> slots) {
        std::lock_guard lock(mMutex);
        mSlots = std::move(slots);
    }
    void Flash(std::chrono::milliseconds duration) {
        std::lock_guard lock(mMutex);
        mFlashUntil = std::chrono::steady_clock::now() + duration;
        for (const auto& slot : mSlots) {
            slot->Present(WhiteFrame().data(), kWhiteSide, kWhiteSide, kWhiteSide * 4);
        }
    }

  private:
    std::mutex mMutex;
    std::vector<std::shared_ptr<ui::FrameSlot>> mSlots;
    std::chrono::steady_clock::time_point mFlashUntil;
};

LivePicture::LivePicture() : mRelay(std::make_shared<Relay>()) {}

LivePicture::~LivePicture() = default;

std::shared_ptr<ui::FrameSlot> LivePicture::Slot() const {
    return mRelay;
}

void LivePicture::ShowIn(std::vector<std::shared_ptr<ui::FrameSlot>> slots) {
    mRelay->ShowIn(std::move(slots));
}

void LivePicture::Flash(std::chrono::milliseconds duration) {
    mRelay->Flash(duration);
}
