#include "Dpi.h"

#include "LaterBound.h"

namespace tonvale::win {

namespace {

// Windows 10's functions, looked up at run time: the program also runs where they are missing.
template <typename Function>
Function fromUser32(const char* name) {
    return laterBound<Function>(L"user32.dll", name);
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int dpiOfWindow(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = fromUser32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return screenDpi();
}

int systemDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = fromUser32<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        if (const UINT dpi = getDpiForSystem(); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return screenDpi();
}

void adjustFrameForDpi(RECT& frame, DWORD style, bool hasMenu, DWORD exStyle, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = fromUser32<AdjustFunction>("AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&frame, style, hasMenu, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&frame, style, hasMenu, exStyle);
    }
}

}  // namespace tonvale::win
