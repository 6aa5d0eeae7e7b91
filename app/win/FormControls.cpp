#include "FormControls.h"

#include <string_view>

#include "ControlProcedure.h"

namespace tonvale::win {

namespace {

bool isGroupBox(const ControlDescription& control) {
    return std::wstring_view(control.windowClass) == L"Button" &&
           (control.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool isMultiLineEdit(const ControlDescription& control) {
    return std::wstring_view(control.windowClass) == L"Edit" && (control.style & ES_MULTILINE);
}

// A group box leaves its inside for its parent to fill, but the form clips its children, so
// the box fills it itself: within the region being painted, then draws itself over it.
LRESULT CALLBACK groupBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
            callOwnProcedure(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            break;
        }
        default:
            break;
    }
    return callOwnProcedure(window, message, wParam, lParam);
}

// A multi-line edit asks for every key, so that Tab would stay in it and Esc would close the
// form it sits on. On a form, Tab moves on and Enter and Esc belong to the form.
LRESULT CALLBACK multiLineEditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) {
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
    }
    return callOwnProcedure(window, message, wParam, lParam);
}

}  // namespace

void giveFormManners(HWND control, const ControlDescription& description) {
    if (isGroupBox(description)) {
        putProcedureInFront(control, &groupBoxProcedure);
    } else if (isMultiLineEdit(description)) {
        putProcedureInFront(control, &multiLineEditProcedure);
    }
}

bool isPushButton(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring_view(className) != L"Button") {
        return false;
    }
    const auto type = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace tonvale::win
