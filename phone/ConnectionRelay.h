// The library calls the connection handler with no context: on a thread of its own, or on the
// window's own thread inside P2K_Init while start-up or Connect runs, once or several times in
// a row, possibly after the window is gone. The relay only counts each call for the main window
// and announces them with a posted message, so the work runs on the user-interface thread once
// the running command has ended, once per call, and never overlaps a handler there.
#pragma once

#include <windows.h>

#include "p2kapi.h"

namespace tonvale {

class ConnectionRelay {
  public:
    // From now on notifications are counted for `window`, and to no other window, and announced
    // to it by `message`.
    static void attach(HWND window, UINT message);
    // After this returns, no notification reaches `window`. A window attached since keeps
    // receiving them.
    static void detach(HWND window);
    // The notifications counted for `window` and not yet taken; zero for any other window. One
    // message announces all that came before it is taken, so a burst cannot fill the window's
    // queue, and one the system would not post is still counted and taken with the next.
    static int take(HWND window);
    // The handler registered with the library. Never throws onto the library's thread.
    static void P2K_CALL onConnect() noexcept;
};

}  // namespace tonvale
