#include "OpenDialog.h"

#include <commdlg.h>

#include <cwchar>

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

}  // namespace

std::optional<OpenDialogChoice> runOpenDialog(HWND owner, const OpenDialogState& state) {
    std::wstring buffer(kOpenDialogBufferCharacters + 1, L'\0');
    state.fileName.copy(buffer.data(),
                        std::min<size_t>(state.fileName.size(), kOpenDialogBufferCharacters - 1));
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
    dialog.lpstrInitialDir = state.initialDir.empty() ? nullptr : state.initialDir.c_str();
    dialog.lpstrTitle = state.title.c_str();
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&dialog)) {
        // Cancelled, or a selection too long for the buffer (FNERR_BUFFERTOOSMALL): both are
        // an empty selection.
        return std::nullopt;
    }
    return OpenDialogChoice{selectedFiles(buffer.c_str()), static_cast<int>(dialog.nFilterIndex)};
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
