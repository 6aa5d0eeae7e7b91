// The texts that name this build.
#pragma once

#define TONVALE_VERSION_TEXT L"1.0"
#define TONVALE_RELEASE_DATE L"2026-12-08"

namespace tonvale {

inline constexpr const wchar_t* kForm1Caption =
    L"Motorola Tonvale Files Uploader " TONVALE_VERSION_TEXT L" - by the Tonvale team";
inline constexpr const wchar_t* kAboutTitle = L"About Tonvale...";
inline constexpr const wchar_t* kAboutText =
    L"Motorola Tonvale Files Uploader, version " TONVALE_VERSION_TEXT L", released " TONVALE_RELEASE_DATE
    L"\n\nWritten by the Tonvale team for everyone who keeps a P2K phone alive."
    L"\n\nQuestions and reports: the Tonvale project's issue tracker.";

}  // namespace tonvale
