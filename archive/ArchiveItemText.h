// The text form of a queued item: one "key=value" line per field, UTF-8, with "\\", "\n" and
// "\r" standing for a backslash and the line ends inside a value. Reading checks what a file
// from disk may hold: a missing or bad serial or capture name makes the item unreadable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveItem.h"

std::string ItemToText(const ArchiveItem& item);
std::optional<ArchiveItem> ItemFromText(std::string_view text);

// Several items in one text: each item's text followed by a line "--".
std::string BatchToText(const std::vector<ArchiveItem>& items);
// The texts of a batch's items, unread.
std::vector<std::string> SplitBatch(std::string_view text);

// "P" or "V", twelve digits of local time and one running digit.
bool IsCaptureName(std::string_view name);
