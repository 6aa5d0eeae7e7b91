#include "FileDrop.h"

#include "LaterBound.h"

namespace tonvale::win {

void acceptDroppedFiles(HWND window) {
    // What DragAcceptFiles does, without loading the shell for it.
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

Drop takeDrop(HDROP drop) {
    static const auto finish = laterBound<decltype(&DragFinish)>(L"shell32.dll", "DragFinish");
    static const auto query =
        laterBound<decltype(&DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    static const auto queryPoint =
        laterBound<decltype(&DragQueryPoint)>(L"shell32.dll", "DragQueryPoint");
    struct Finished {
        HDROP drop;
        ~Finished() {
            if (finish != nullptr) {
                finish(drop);
            }
        }
    } finished{drop};
    Drop taken;
    if (query == nullptr || queryPoint == nullptr) {
        return taken;
    }
    queryPoint(drop, &taken.point);
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring file(query(drop, i, nullptr, 0) + 1, L'\0');
        file.resize(query(drop, i, file.data(), static_cast<UINT>(file.size())));
        taken.files.push_back(std::move(file));
    }
    return taken;
}

}  // namespace tonvale::win
