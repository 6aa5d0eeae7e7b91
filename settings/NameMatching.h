// Section and key names are matched without regard to case.
#pragma once

#include <string_view>

namespace tonvale {

// On Windows the system's own case table decides (so "Ä" matches "ä"); elsewhere only ASCII
// letters fold.
bool namesMatch(std::wstring_view left, std::wstring_view right);

}  // namespace tonvale
