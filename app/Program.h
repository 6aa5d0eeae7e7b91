// The program from start-up to its end: the main window, then the event loop until it closes.
#pragma once

#include <windows.h>

#include "Unit1.h"

namespace tonvale {

// Returns the program's exit code. A failure that stops start-up is shown in the error box,
// without an owner since there is no window, and ends the program with code 1.
int runProgram(HINSTANCE instance, int showCommand, const Form1Setup& setup);

}  // namespace tonvale
