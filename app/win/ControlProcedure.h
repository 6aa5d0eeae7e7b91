// A control of the form's own with a window procedure in front of its class's. comctl32's
// SetWindowSubclass keeps its chain in a window property, and under Wine reading a property is
// a round trip to the server at every message the control gets (about a hundred before the
// main window first waits for input). Here the class's procedure is kept in the control's
// GWLP_USERDATA, which belongs to whoever created the window; the class name stays the
// system's, as screen readers expect. A later SetWindowSubclass (a tooltip's) chains on top.
#pragma once

#include <windows.h>

namespace tonvale::win {

// Puts `procedure` in front of the control's own; done once, on a control this program made.
void putProcedureInFront(HWND control, WNDPROC procedure);
// What the control's own procedure does with the message.
LRESULT callOwnProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tonvale::win
