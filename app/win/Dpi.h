// The display's scale. The forms are described at 96 dots per inch (100 %) and drawn at the DPI
// of the monitor they are on: every pixel of a description is scaled by MulDiv(value, dpi, 96).
#pragma once

#include <windows.h>

namespace tonvale::win {

inline constexpr int kDesignDpi = 96;

inline int scaleForDpi(int value, int dpi) {
    return MulDiv(value, dpi, kDesignDpi);
}

// The DPI `window` is drawn at: its monitor's where Windows tells it (Windows 10 1607 and
// later), else the system's.
int dpiOfWindow(HWND window);
// The system's DPI, for a window not yet made.
int systemDpi();
// The frame around a client area at `dpi`, as AdjustWindowRectEx gives it at 96.
void adjustFrameForDpi(RECT& frame, DWORD style, bool hasMenu, DWORD exStyle, int dpi);

}  // namespace tonvale::win
