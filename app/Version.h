// The texts that name this build. The version and release date come from the project's version
// in CMakeLists.txt, which the version resources of Tonvale.exe and p2kapi.dll carry too.
#pragma once

#include "TonvaleVersion.h"

namespace tonvale {

inline constexpr const wchar_t* kForm1Caption =
    L"Motorola Tonvale Files Uploader " TONVALE_VERSION_STRING L" - by the Tonvale team";
inline constexpr const wchar_t* kAboutTitle = L"About Tonvale...";
inline constexpr const wchar_t* kAboutText =
    L"Motorola Tonvale Files Uploader, version " TONVALE_VERSION_STRING
    L", released " TONVALE_RELEASE_DATE_STRING
    L"\n\nWritten by the Tonvale team for everyone who keeps a P2K phone alive."
    L"\n\nQuestions and reports: the Tonvale project's issue tracker.";

}  // namespace tonvale
