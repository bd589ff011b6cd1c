// Decodes a recorded AVI file back, for checking what was written.
#pragma once

#include <string>

struct ClipInfo {
    bool decoded = false;  // the file was read to its end without an error
    int width = 0;
    int height = 0;
    int frames = 0;
};

ClipInfo ProbeClip(const std::string& path);
