// The four-pane view's ring of captures: which pane shows which capture, which panes are empty
// (they mirror the live picture) and which pane the live picture takes next. The view bounds how
// many captures a camera window keeps: a fifth capture evicts the oldest one on screen and
// deletes its picture, thumbnail and, for a clip, the clip from the Temp folders. Captures taken
// in the single view are all kept.
//
//   pane:   0 -> 1 -> 2 -> 3 -> 0 ...   Add() fills pane NextSlot() and moves the live picture on
//
// Owned by the camera manager; UI thread only.
#pragma once

#include <array>
#include <string>

class QuadRing {
  public:
    static constexpr int kPaneCount = 4;

    // The Temp folders, each ending in a separator.
    QuadRing(std::wstring imagesFolder, std::wstring thumbnailFolder, std::wstring videosFolder);

    bool SingleView() const { return mSingleView; }
    // The pane the live picture takes in the four-pane view.
    int NextSlot() const { return mNextSlot; }
    // The pane shows no capture (it mirrors the live picture).
    bool IsEmpty(int pane) const { return mEmpty[pane]; }
    // The full path of the capture a pane shows or last showed; empty when none.
    const std::wstring& PaneFile(int pane) const { return mFiles[pane]; }

    // In the four-pane view, capture `fileName` (a picture in the Temp images folder) takes pane
    // NextSlot(): the capture that pane held before is evicted (its files deleted) and the live
    // picture moves on to the next pane. Returns the pane taken; -1 in the single view.
    int Add(const std::wstring& fileName);
    // Every pane shows the live picture again (their captures stay on disk until evicted); the
    // live picture takes pane 0.
    void EnterQuadView();
    void EnterSingleView();

  private:
    void Evict(int pane);

    std::wstring mImagesFolder;
    std::wstring mThumbnailFolder;
    std::wstring mVideosFolder;
    bool mSingleView = true;
    int mNextSlot = 0;
    std::array<bool, kPaneCount> mEmpty{true, true, true, true};
    std::array<std::wstring, kPaneCount> mFiles;
};
