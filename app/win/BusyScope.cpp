#include "BusyScope.h"

namespace tonvale::win {

namespace {

// A window that keeps asking to be painted cannot hold the command up for long.
constexpr int kMostPaintsAtOnce = 64;

bool isOurs(HWND window) {
    return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

BusyScope::BusyScope() : previous_(SetCursor(cursor())) {}

BusyScope::~BusyScope() {
    POINT point{};
    // The next move of the mouse sets the cursor of what lies under it; until then, the one
    // from before.
    if (GetCursorPos(&point) && isOurs(WindowFromPoint(point))) {
        SetCursor(previous_ != nullptr ? previous_ : LoadCursorW(nullptr, IDC_ARROW));
    }
}

HCURSOR BusyScope::cursor() {
    return LoadCursorW(nullptr, IDC_WAIT);
}

void BusyScope::keepAnswering() {
    MSG message{};
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    for (int i = 0;
         i < kMostPaintsAtOnce && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++i) {
        DispatchMessageW(&message);
    }
    // No mouse message is taken meanwhile, so nothing else sets the cursor of a window the
    // pointer has come back to.
    POINT point{};
    if (GetCursorPos(&point) && isOurs(WindowFromPoint(point))) {
        SetCursor(cursor());
    }
}

}  // namespace tonvale::win
