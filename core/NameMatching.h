// Names compared as Windows compares file names: code unit by code unit, each by its upper case
// in the system's own case table (the file system's), so "Ä" matches "ä". The settings file's
// section and key names are matched so, and so are the names of the files on the phone, whose
// file system ignores case.
#pragma once

#include <string>
#include <string_view>

namespace tonvale {

bool namesMatch(std::wstring_view left, std::wstring_view right);

// The name in upper case by that same table: two names match when these are equal.
std::wstring nameForMatching(std::wstring_view name);

}  // namespace tonvale
