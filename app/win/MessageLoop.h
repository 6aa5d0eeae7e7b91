// The program's message loop. Keys typed into a form get a form's keyboard handling: Tab and
// Shift+Tab walk the keyboard order, arrows move within a group, Enter and Esc go to the form.
#pragma once

#include <windows.h>

#include <vector>

namespace tonvale::win {

class MessageLoop {
  public:
    // Gives `form` and everything on it the keyboard handling of a form.
    void addForm(HWND form);
    // Runs until the program quits; returns the quit code.
    int run();
    // Handles every message queued now, as run() would, and returns; false once the program
    // has been asked to quit.
    bool handlePending();
    // Draws what needs drawing and answers what other threads sent, then returns: the thread
    // is idle, waiting for its first input. The user's input and every posted message, a
    // command among them, stay queued for run().
    void settle();

  private:
    void handle(MSG& message);

    std::vector<HWND> forms_;
};

}  // namespace tonvale::win
