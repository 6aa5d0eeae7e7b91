// While a long command runs inside its handler, as the upload does: the wait cursor over the
// thread's windows, and the windows painted and the system answered now and then, so that
// Windows never takes them for hung. Input stays queued for when the command has returned.
#pragma once

#include <windows.h>

namespace tonvale::win {

class BusyScope {
  public:
    BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope();

    // Paints every window of the thread that needs it and lets the system see the thread look
    // at its queue (Windows ghosts a window whose thread has not for 5 s). Sent messages are
    // handled meanwhile, as at any look at the queue; posted ones and input wait.
    void keepAnswering();
    // The cursor over the thread's windows while busy.
    static HCURSOR cursor();

  private:
    HCURSOR previous_;
};

}  // namespace tonvale::win
