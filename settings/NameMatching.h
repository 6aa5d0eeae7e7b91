// Section and key names are matched without regard to case.
#pragma once

#include <string_view>

namespace tonvale {

// Each character's upper case by the system's own case table decides, so "Ä" matches "ä".
bool namesMatch(std::wstring_view left, std::wstring_view right);

}  // namespace tonvale
