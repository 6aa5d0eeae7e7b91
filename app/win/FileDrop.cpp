#include "FileDrop.h"

#include <commctrl.h>

namespace tonvale::win {

namespace {

LRESULT CALLBACK forwardDrops(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR, DWORD_PTR) {
    if (message == WM_DROPFILES) {
        return SendMessageW(GetParent(control), WM_DROPFILES, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, &forwardDrops, 0);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void forwardDroppedFiles(HWND control) {
    DragAcceptFiles(control, TRUE);
    SetWindowSubclass(control, &forwardDrops, 0, 0);
}

std::vector<std::wstring> takeDroppedFiles(HDROP drop) {
    struct Finished {
        HDROP drop;
        ~Finished() { DragFinish(drop); }
    } finished{drop};
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring file(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        file.resize(DragQueryFileW(drop, i, file.data(), static_cast<UINT>(file.size())));
        files.push_back(std::move(file));
    }
    return files;
}

}  // namespace tonvale::win
