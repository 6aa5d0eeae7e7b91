// The program's icon in the notification area. Tests record it instead of showing it, since a
// test machine has no notification area of its own.
#pragma once

#include <windows.h>

#include "win/WindowHandles.h"

namespace tonvale {

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Puts the icon into the notification area, or back after Explorer restarted. Its mouse
    // messages come to `window` as `callbackMessage`, the mouse message in lParam. False when
    // there is no notification area to take it.
    virtual bool add(HWND window, UINT callbackMessage) = 0;
    virtual void remove() = 0;
};

// The icon through the shell, with the program's small icon and a tooltip naming the program.
class ShellTrayIcon final : public TrayIcon {
  public:
    explicit ShellTrayIcon(HINSTANCE instance);
    ShellTrayIcon(const ShellTrayIcon&) = delete;
    ShellTrayIcon& operator=(const ShellTrayIcon&) = delete;
    ~ShellTrayIcon() override;

    bool add(HWND window, UINT callbackMessage) override;
    void remove() override;

  private:
    win::OwnedIcon icon_;
    HWND window_ = nullptr;  // while the icon is in the notification area
};

}  // namespace tonvale
