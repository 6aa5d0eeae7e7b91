// The program from start-up to its end: the main window, shown, then the event loop until the
// main window closes. What nobody can use before the window first waits for input, the log's
// hint and the Options dialog (hidden), is made right after that first wait, which is where the
// system counts start-up as done; the dialog is made earlier if the user asks for it first.
#pragma once

#include <windows.h>

#include <memory>

#include "Unit1.h"
#include "Unit2.h"
#include "win/MessageLoop.h"

namespace tonvale {

// Returns the program's exit code. A failure that stops start-up is shown in the error box,
// without an owner since there is no window, and ends the program with code 1.
int runProgram(HINSTANCE instance, int showCommand, const Form1Setup& setup);

// The Options dialog of a running program, hidden, owned by `mainWindow` and joined to it both
// ways: Options shows it, and OK hands the starting folder to the main window's file dialog.
// It is made at the first call of dialog() or of Options; until then the main window's moves to
// and from the tray are remembered for it.
class OptionsDialogOnDemand {
  public:
    OptionsDialogOnDemand(HINSTANCE instance, TForm1& mainWindow, const Form1Setup& setup,
                          win::MessageLoop& loop);
    OptionsDialogOnDemand(const OptionsDialogOnDemand&) = delete;
    OptionsDialogOnDemand& operator=(const OptionsDialogOnDemand&) = delete;

    TForm2& dialog();

  private:
    HINSTANCE instance_;
    TForm1& mainWindow_;
    const Form1Setup& setup_;
    win::MessageLoop& loop_;
    std::unique_ptr<TForm2> dialog_;
    bool mainWindowInTray_ = false;
};

}  // namespace tonvale
