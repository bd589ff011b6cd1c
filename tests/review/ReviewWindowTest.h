// The review windows driven headless on the virtual 1920 x 1080 screen with its 40-pixel
// taskbar, over patient 3's captures: helpers answer the skinned boxes and read what a button
// shows and where a control stands.
#pragma once

#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/testing/UiTesting.h"
#include "tests/review/PatientCaptures.h"

namespace reviewtest {

template <PatientCaptures::User user>
class ReviewWindowTestOf : public ui::testing::UiTest {
  protected:
    PatientCaptures mCaptures{user};
};

using ReviewWindowTest = ReviewWindowTestOf<PatientCaptures::User::kAsStarted>;
// For failures that need permissions to hold: run as "nobody" when started as root.
using UnprivilegedReviewWindowTest = ReviewWindowTestOf<PatientCaptures::User::kUnprivileged>;

// Queues the answer to the next skinned statement box, expecting `text`.
void ExpectMessage(const std::wstring& text);
// Queues the answer to the next skinned yes/no box (asking `text`): ui::kIdYes or kIdNo.
void AnswerQuestion(const std::wstring& text, int answer);
// The colour in the middle of what picture button `id` shows; black for none.
ui::Color Shown(const ui::Dialog& dialog, int id);
bool ShowsPicture(const ui::Dialog& dialog, int id);
// Where control `id` is placed in its dialog's client area.
ui::Rect Placement(const ui::Dialog& dialog, int id);

}  // namespace reviewtest
