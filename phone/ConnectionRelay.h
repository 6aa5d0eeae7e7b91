// The library calls the connection handler on a thread of its own, with no context. The relay
// turns each call into one message posted to the main window, so the work runs on the
// user-interface thread and never overlaps a handler there.
#pragma once

#include <windows.h>

#include "p2kapi.h"

namespace tonvale {

class ConnectionRelay {
  public:
    // From now on each notification posts `message` to `window`, and to no other window.
    static void attach(HWND window, UINT message);
    // After this returns, no notification reaches `window`. A window attached since keeps
    // receiving them.
    static void detach(HWND window);
    // The handler registered with the library.
    static void P2K_CALL onConnect();
};

}  // namespace tonvale
