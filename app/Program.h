// The program from start-up to its end: the main window, shown and drawn, then its hints and the
// Options dialog, hidden, then the event loop until the main window closes. Those two are made once
// the main window is waiting for its first input, which the user can then give at once; no input
// and no posted message is handled before they exist.
#pragma once

#include <windows.h>

#include <memory>

#include "Unit1.h"
#include "Unit2.h"

namespace tonvale {

// Returns the program's exit code. A failure that stops start-up is shown in the error box,
// without an owner since there is no window, and ends the program with code 1.
int runProgram(HINSTANCE instance, int showCommand, const Form1Setup& setup);

// The Options dialog, hidden, owned by `mainWindow` and joined to it both ways: Options shows
// it, and OK hands the starting folder to the main window's file dialog.
std::unique_ptr<TForm2> createOptionsDialog(HINSTANCE instance, TForm1& mainWindow,
                                            const Form1Setup& setup);

}  // namespace tonvale
