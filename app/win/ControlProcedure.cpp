#include "ControlProcedure.h"

namespace tonvale::win {

void putProcedureInFront(HWND control, WNDPROC procedure) {
    const LONG_PTR own = GetWindowLongPtrW(control, GWLP_WNDPROC);
    SetWindowLongPtrW(control, GWLP_USERDATA, own);
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT callOwnProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return own != nullptr ? CallWindowProcW(own, control, message, wParam, lParam)
                          : DefWindowProcW(control, message, wParam, lParam);
}

}  // namespace tonvale::win
