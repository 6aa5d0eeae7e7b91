// The file-open dialog of the Open command.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tonvale {

// What the dialog is given when it runs.
struct OpenDialogState {
    std::wstring title = L"Open media file(s) for upload to phone";
    std::wstring initialDir;
    std::wstring filter;    // text and patterns, zero-separated, as the dialog takes it
    int filterIndex = 1;    // one-based, as the dialog counts
    std::wstring fileName;  // shown in the name box: the first file of the last selection
};

// What the user confirmed: the files in the order the dialog returns them, and the filter.
struct OpenDialogChoice {
    std::vector<std::wstring> files;
    int filterIndex = 1;
};

// The name buffer holds 65,519 characters; a larger selection is refused like a cancel.
inline constexpr DWORD kOpenDialogBufferCharacters = 65519;

// Runs the system's dialog: several files, no read-only box, resizable. Nothing on cancel.
std::optional<OpenDialogChoice> runOpenDialog(HWND owner, const OpenDialogState& state);

// Whether a confirmed selection fits a name buffer of `bufferCharacters`: the dialog's answer to
// the quoted names of `nameBox`, in the folder whose length the dialog told with its zero
// (`folderLength`, zero or less when it could not tell). Wine's dialog does not check this.
bool selectionFits(LRESULT folderLength, std::wstring_view nameBox, size_t bufferCharacters);

// The dialog's answer: a folder followed by names, or one full path, each zero-terminated.
std::vector<std::wstring> selectedFiles(const wchar_t* buffer);

}  // namespace tonvale
