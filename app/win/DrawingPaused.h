// Keeps a control from drawing while many changes are made, then draws it once.
#pragma once

#include <windows.h>

namespace tonvale::win {

class DrawingPaused {
  public:
    explicit DrawingPaused(HWND control) : control_(control) {
        SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~DrawingPaused() {
        SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control_, nullptr, TRUE);
    }
    DrawingPaused(const DrawingPaused&) = delete;
    DrawingPaused& operator=(const DrawingPaused&) = delete;

  private:
    HWND control_;
};

}  // namespace tonvale::win
