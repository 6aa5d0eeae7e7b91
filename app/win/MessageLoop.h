// The program's message loop. Keys typed into a form get a form's keyboard handling: Tab and
// Shift+Tab walk the keyboard order, arrows move within a group, Enter and Esc go to the form.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace tonvale::win {

class MessageLoop {
  public:
    // Gives `form` and everything on it the keyboard handling of a form.
    void addForm(HWND form);
    // Runs until the program quits; returns the quit code. `onceIdle`, if given, runs once the
    // thread has first waited for input with nothing queued, which is where the system counts
    // start-up as done; what it throws ends the loop.
    int run(const std::function<void()>& onceIdle = {});
    // Handles every message queued now, as run() would, and returns; false once the program
    // has been asked to quit.
    bool handlePending();

  private:
    void handle(MSG& message);

    std::vector<HWND> forms_;
};

}  // namespace tonvale::win
