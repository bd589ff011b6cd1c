// Clip playback through the command interpreter.
#include "review/ClipPlayback.h"

#include "media/MediaLayout.h"
#include "platform/text/Format.h"
#include "utility/files/Files.h"
#include "utility/system/System.h"

namespace {

// Inside a quoted argument: n backslashes before a quote become 2n + 1 and the quote is
// escaped; n backslashes before the closing quote become 2n; any other backslash stays.
std::wstring EscapeForQuotes(const std::wstring& text) {
    std::wstring escaped;
    size_t backslashes = 0;
    for (const wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            escaped.append(2 * backslashes + 1, L'\\');
        } else {
            escaped.append(backslashes, L'\\');
        }
        backslashes = 0;
        escaped += c;
    }
    escaped.append(2 * backslashes, L'\\');
    return escaped;
}

}  // namespace

std::wstring PlayerCommand(const std::wstring& clipPath) {
    return text::sprintf(L"start wmplayer \"%s\"", EscapeForQuotes(clipPath));
}

bool PlayCaptureClip(const std::wstring& videoFolder, const std::wstring& picturePath) {
    std::wstring title;
    UTILITY_GetFileTitle(picturePath, title);
    if (!media::IsVideoName(title)) {
        return false;
    }
    UTILITY_RunCommand(PlayerCommand(videoFolder + title + media::kClipExtension));
    return true;
}
