// The camera window's rules: stills, recordings, the view switch.
#include "camera/CameraSession.h"

#include <cwchar>

#include "camera/CameraPort.h"
#include "media/MediaLayout.h"

namespace {

constexpr uint32_t kRecordingStateOn = 2;
constexpr uint32_t kRecordingStateOff = 0;

std::wstring StillStamp(const std::tm& localTime) {
    wchar_t stamp[32] = {};
    std::wcsftime(stamp, sizeof(stamp) / sizeof(stamp[0]), L"P%y%m%d%H%M%S", &localTime);
    return stamp;
}

}  // namespace

CameraSession::CameraSession(CameraPort& camera, CaptureClock& clock, std::wstring videosFolder,
                             CaptureNameFolders takenNames, std::function<void()> clockChanged)
    : mCamera(camera),
      mTime(clock),
      mVideosFolder(std::move(videosFolder)),
      mTakenNames(std::move(takenNames)),
      mClock(clock, std::move(clockChanged)) {}

CameraSession::~CameraSession() {
    Shutdown();
}

CameraSession::StillResult CameraSession::TakeStill() {
    if (mRecording) {
        EndRecording(true);
        return StillResult::kEndedRecording;
    }
    {
        std::lock_guard lock(mStampMutex);
        const std::wstring stamp = StillStamp(mTime.LocalTime());
        if (stamp == mLastStillStamp) {
            return StillResult::kSameSecond;
        }
        mLastStillStamp = stamp;
    }
    return mCamera.CaptureStill() ? StillResult::kTaken : StillResult::kFailed;
}

bool CameraSession::ToggleRecording() {
    if (mRecording) {
        EndRecording(true);
        return false;
    }
    return StartRecording();
}

bool CameraSession::StartRecording() {
    mCamera.StopGraph();
    const std::wstring name =
        NextCaptureName(CaptureKind::kClip, mTime.LocalTime(), mClipCounter, mTakenNames);
    mClipPath = mVideosFolder + name + media::kClipExtension;
    if (!mCamera.StartRecording(mClipPath)) {
        // No file is being written: show the live picture again rather than a recording.
        mCamera.StopGraph();
        mCamera.StartPreview();
        return false;
    }
    mRecording = true;
    mClock.Start();
    mStateWorker.Post([this] { mCamera.TellRecordingState(kRecordingStateOn); });
    return true;
}

void CameraSession::EndRecording(bool restartPreview) {
    if (!mRecording) {
        return;
    }
    mCamera.StopGraph();
    if (restartPreview) {
        mCamera.StartPreview();
    }
    mRecording = false;
    mClock.Stop();
    const std::wstring poster = mCamera.PosterName();
    if (!poster.empty()) {
        mCamera.AddToQuad(poster);
    }
    mStateWorker.Post([this] { mCamera.TellRecordingState(kRecordingStateOff); });
}

void CameraSession::SwitchView() {
    EndRecording(false);
    mCamera.StopGraph();
    if (mCamera.SingleView()) {
        mCamera.EnterQuadView();
    } else {
        mCamera.EnterSingleView();
    }
    mCamera.StartPreview();
}

void CameraSession::Shutdown() {
    EndRecording(false);
    mStateWorker.Drain();
}
