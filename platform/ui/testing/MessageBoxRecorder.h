// For tests: records every standard message box while it is alive and answers them, without
// showing anything.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui/MessageBox.h"

namespace ui::testing {

struct RecordedMessageBox {
    Window* owner = nullptr;
    std::wstring text;
    std::wstring caption;
    uint32_t style = kOk;
};

class MessageBoxRecorder final : public MessageBoxPresenter {
  public:
    MessageBoxRecorder() : mPrevious(SetMessageBoxPresenter(this)) {}
    ~MessageBoxRecorder() override { SetMessageBoxPresenter(mPrevious); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Answers for the next boxes, in order; once used up, boxes are answered OK.
    void QueueAnswer(int answer) { mAnswers.push_back(answer); }

    const std::vector<RecordedMessageBox>& Boxes() const { return mBoxes; }
    void Clear() { mBoxes.clear(); }

    int Show(Window* owner, const std::wstring& text, const std::wstring& caption,
             uint32_t style) override {
        mBoxes.push_back({owner, text, caption, style});
        if (mAnswers.empty()) {
            return kIdOk;
        }
        int answer = mAnswers.front();
        mAnswers.pop_front();
        return answer;
    }

  private:
    MessageBoxPresenter* mPrevious;
    std::deque<int> mAnswers;
    std::vector<RecordedMessageBox> mBoxes;
};

}  // namespace ui::testing
