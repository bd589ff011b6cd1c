// The camera window's rules without the window: stills (at most one per second), recordings and
// the one routine that ends them, the view switch, and the recording clock.
//
//   Previewing --ToggleRecording--> Recording (graph started; clock running; camera told 2)
//   Recording --EndRecording--> Previewing (clip finished; poster shown; clock stopped; camera
//                                          told 0)
//
// Every path that ends a recording (record, still, view switch, browser, exit, Escape, removal,
// destruction) goes through EndRecording. A recording whose graph did not start is never
// entered: the preview is restarted instead.
//
// UI thread, except ClockText() (any thread). The session owns its threads: the recording
// clock, and the worker that tells the camera its recording state in order; Shutdown() (and
// destruction) ends a recording and joins both, after which the camera is no longer used.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "camera/CaptureClock.h"
#include "camera/CaptureNames.h"
#include "camera/RecordingClock.h"
#include "camera/SerialWorker.h"

class CameraPort;

class CameraSession {
  public:
    // `videosFolder` receives the clips (the Temp videos folder, ending in a separator);
    // `takenNames` are the folders where a clip name counts as taken. `clockChanged` runs on the
    // clock's thread each time the clock text changes.
    CameraSession(CameraPort& camera, CaptureClock& clock, std::wstring videosFolder,
                  CaptureNameFolders takenNames, std::function<void()> clockChanged);
    ~CameraSession();
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    enum class StillResult {
        kEndedRecording,  // the still key ends a running recording instead
        kSameSecond,      // a still was already taken this second: nothing happens
        kTaken,
        kFailed,  // no still could be saved (no frame yet, or the disk refused it)
    };
    StillResult TakeStill();
    // Starts a recording, or ends the running one. Returns whether a recording runs afterwards.
    bool ToggleRecording();
    // Ends a running recording: finishes the clip, restarts the preview when asked, shows the
    // poster in the four-pane view, stops the clock and tells the camera 0. Nothing when not
    // recording.
    void EndRecording(bool restartPreview);
    // Between the single and the four-pane view, with the graph stopped around the switch; a
    // running recording ends.
    void SwitchView();
    // Ends a recording without restarting the preview and waits until the camera has been told;
    // the session uses the camera no more.
    void Shutdown();

    bool Recording() const { return mRecording; }
    std::wstring ClockText() const { return mClock.Text(); }
    // The path of the last clip started.
    const std::wstring& ClipPath() const { return mClipPath; }

  private:
    bool StartRecording();

    CameraPort& mCamera;
    CaptureClock& mTime;
    std::wstring mVideosFolder;
    CaptureNameFolders mTakenNames;
    int mClipCounter = 0;
    std::wstring mClipPath;
    std::atomic<bool> mRecording{false};
    std::mutex mStampMutex;  // the still time stamp
    std::wstring mLastStillStamp;
    RecordingClock mClock;
    SerialWorker mStateWorker;
};
