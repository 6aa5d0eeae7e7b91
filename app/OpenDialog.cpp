#include "OpenDialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>
#include <filesystem>
#include <string_view>

#include "RuntimeError.h"
#include "LaterBound.h"

namespace tonvale {

namespace {

int filterEntries(const std::wstring& filter) {
    int strings = 0;
    for (size_t at = 0; at < filter.size() && filter[at] != L'\0';
         at += std::wcslen(filter.c_str() + at) + 1) {
        ++strings;
    }
    return strings / 2;
}

// Wine's dialog copies a confirmed selection of several files into the name buffer without
// looking at its size, where Windows refuses one that does not fit (FNERR_BUFFERTOOSMALL); so
// under Wine a long selection would be written past the buffer. There the dialog is watched and
// such a selection ends it as Windows ends it: like a cancel.
bool runsOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// What the dialog's answer takes for the quoted names in its name box: the folder, each name,
// a zero after each and one at the end. Zero for fewer than two names: one name the dialog
// measures itself. An unclosed quote counts up to the end of the text, and one more.
size_t answerLength(size_t folderLength, std::wstring_view nameBox) {
    size_t names = 0;
    size_t length = folderLength + 1;
    for (size_t open = nameBox.find(L'"'); open != std::wstring_view::npos;) {
        const size_t close = nameBox.find(L'"', open + 1);
        ++names;
        if (close == std::wstring_view::npos) {
            length += nameBox.size() - open + 1;
            break;
        }
        length += close - open;
        open = nameBox.find(L'"', close + 1);
    }
    return names < 2 ? 0 : length + 1;
}

LRESULT CALLBACK refuseSelectionsPastTheBuffer(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR maxFile) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        HWND nameBox = GetDlgItem(dialog, cmb13);
        if (nameBox == nullptr) {
            nameBox = GetDlgItem(dialog, edt1);
        }
        const LRESULT folder = SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
        if (nameBox != nullptr && !selectionFits(folder, windowText(nameBox), maxFile)) {
            return DefSubclassProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(dialog, &refuseSelectionsPastTheBuffer, 0);
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

// The hook's own child dialog is empty; it is there to reach the dialog itself, its parent.
UINT_PTR CALLBACK watchTheDialog(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto& dialog = *reinterpret_cast<const OPENFILENAMEW*>(lParam);
        SetWindowSubclass(GetParent(child), &refuseSelectionsPastTheBuffer, 0, dialog.nMaxFile);
    }
    return 0;
}

// The dialog makes the folder the user chose from the process's current folder, and on Windows
// OFN_NOCHANGEDIR is documented to have no effect on GetOpenFileName. A current folder on a USB
// stick or a memory card keeps it from being ejected while the program runs, so the one from
// before is put back.
class CurrentFolderKept {
  public:
    CurrentFolderKept() {
        const DWORD length = GetCurrentDirectoryW(0, nullptr);
        folder_.resize(length);
        const DWORD written = GetCurrentDirectoryW(length, folder_.data());
        folder_.resize(written < length ? written : 0);
    }
    CurrentFolderKept(const CurrentFolderKept&) = delete;
    CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;
    ~CurrentFolderKept() {
        if (!folder_.empty()) {
            SetCurrentDirectoryW(folder_.c_str());
        }
    }

  private:
    std::wstring folder_;
};

}  // namespace

std::optional<OpenDialogChoice> runOpenDialog(HWND owner, const OpenDialogState& state) {
    // The dialog starts in the folder of a full path in its name box, and shows the name alone.
    // It is handed over so split: Wine takes such a path only within MAX_PATH characters, and
    // starts in the process's current folder otherwise.
    const std::filesystem::path remembered(state.fileName);
    const std::wstring name = remembered.filename().wstring();
    const std::wstring folder = remembered.parent_path().wstring();
    const std::wstring startIn = folder.empty() ? state.initialDir : folder;
    std::wstring buffer(kOpenDialogBufferCharacters + 1, L'\0');
    name.copy(buffer.data(), std::min<size_t>(name.size(), kOpenDialogBufferCharacters - 1));
    // A remembered filter beyond this category's entries shows its first.
    const int entries = filterEntries(state.filter);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = state.filter.empty() ? nullptr : state.filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(
        state.filterIndex >= 1 && state.filterIndex <= entries ? state.filterIndex : 1);
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kOpenDialogBufferCharacters;
    dialog.lpstrInitialDir = startIn.empty() ? nullptr : startIn.c_str();
    dialog.lpstrTitle = state.title.c_str();
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (runsOnWine()) {
        // A hook would give Windows' own dialog its older look; only Wine needs the watch.
        dialog.Flags |= OFN_ENABLEHOOK;
        dialog.lpfnHook = &watchTheDialog;
    }
    static const auto getOpenFileName =
        laterBound<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (getOpenFileName == nullptr) {
        throw RuntimeError(L"The file dialog cannot be shown");
    }
    const CurrentFolderKept currentFolder;
    if (!getOpenFileName(&dialog)) {
        // Cancelled, or a selection too long for the buffer (FNERR_BUFFERTOOSMALL): both are
        // an empty selection.
        return std::nullopt;
    }
    return OpenDialogChoice{selectedFiles(buffer.c_str()), static_cast<int>(dialog.nFilterIndex)};
}

bool selectionFits(LRESULT folderLength, std::wstring_view nameBox, size_t bufferCharacters) {
    const size_t length =
        answerLength(folderLength > 0 ? static_cast<size_t>(folderLength) - 1 : 0, nameBox);
    if (length == 0) {
        return true;  // one name, which the dialog measures itself
    }
    // Several names in a folder of unknown length: the answer cannot be known to fit.
    return folderLength > 0 && length <= bufferCharacters;
}

std::vector<std::wstring> selectedFiles(const wchar_t* buffer) {
    std::vector<std::wstring> files;
    const std::wstring first = buffer;
    const wchar_t* name = buffer + first.size() + 1;
    if (first.empty()) {
        return files;
    }
    if (*name == L'\0') {
        files.push_back(first);
        return files;
    }
    const std::wstring folder =
        first.back() == L'\\' || first.back() == L'/' ? first : first + L'\\';
    for (; *name != L'\0'; name += std::wcslen(name) + 1) {
        files.push_back(folder + name);
    }
    return files;
}

}  // namespace tonvale
