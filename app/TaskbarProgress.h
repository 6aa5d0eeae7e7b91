// The progress of a long command on the window's taskbar button, where the shell offers it
// (Windows 7 and later). Tests record it instead.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstdint>

#include "ComApartment.h"

namespace tonvale {

class TaskbarProgress {
  public:
    virtual ~TaskbarProgress() = default;
    // Shows `done` of `total` on the button of `window`.
    virtual void show(HWND window, uint64_t done, uint64_t total) = 0;
    // The button without progress again.
    virtual void clear(HWND window) = 0;
};

// Through the shell's ITaskbarList3, whose COM apartment the thread joins at the first upload
// rather than at start-up. Without it, shows nothing.
class ShellTaskbarProgress final : public TaskbarProgress {
  public:
    ShellTaskbarProgress() = default;
    ShellTaskbarProgress(const ShellTaskbarProgress&) = delete;
    ShellTaskbarProgress& operator=(const ShellTaskbarProgress&) = delete;
    ~ShellTaskbarProgress() override;

    void show(HWND window, uint64_t done, uint64_t total) override;
    void clear(HWND window) override;

  private:
    ITaskbarList3* taskbar();

    ComApartment apartment_;  // left after the list is released
    OwnedComPointer<ITaskbarList3> taskbar_;
    bool asked_ = false;
};

}  // namespace tonvale
