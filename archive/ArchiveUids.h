// The UIDs of what is sent to the archive, derived from our own data so that sending the same
// capture again gives the same instance: "2.25." and the decimal of a 128-bit FNV-1a hash of a
// kind word and the parts that name the thing (patient serial, session, capture, and the
// version of a capture re-sent for a changed comment).
#pragma once

#include <string>
#include <string_view>

#include "archive/ArchiveItem.h"

// "2.25.<decimal>" for `key`; at most 44 characters, no leading zero in the number.
std::string DerivedUid(std::string_view key);

std::string StudyUid(const ArchiveItem& item);
std::string SeriesUid(const ArchiveItem& item);
std::string InstanceUid(const ArchiveItem& item);
