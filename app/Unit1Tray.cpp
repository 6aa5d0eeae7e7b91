// TForm1's tray mode: minimising hides the window and leaves an icon in the notification area,
// which brings the window back on a left click and offers the tray menu on a right click.
#include "Unit1.h"

#include <utility>

namespace tonvale {

// Only the exact minimise code goes to the tray; the system's variants of it, with low bits
// set, and every other command get the default handling.
LRESULT TForm1::WMSysCommand(WPARAM command, LPARAM lParam) {
    if (command == SC_MINIMIZE) {
        enterTrayMode();
        return 0;
    }
    return DefWindowProcW(handle(), WM_SYSCOMMAND, command, lParam);
}

// A left click is the button going down and coming up on the icon; a double click acts through
// its first click. The right button's release opens the tray menu; the middle button does
// nothing.
void TForm1::RxTrayIcon1Message(UINT mouseMessage) {
    if (!inTrayMode_) {
        leftButtonDownOnIcon_ = false;
        return;
    }
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
            leftButtonDownOnIcon_ = true;
            break;
        case WM_LBUTTONUP:
            if (std::exchange(leftButtonDownOnIcon_, false)) {
                RxTrayIcon1Click();
            }
            break;
        case WM_RBUTTONUP:
            PopupMenu1Popup();
            break;
        default:
            break;
    }
}

void TForm1::RxTrayIcon1Click() {
    leaveTrayMode();
}

void TForm1::Showprogram1Click() {
    leaveTrayMode();
}

// The tray menu at the pointer. The program comes to the foreground first, or the menu would
// stay open when the user clicks elsewhere; the empty message after it lets the next one open
// at once. The open menu is a box of the program's; the chosen item is routed as if chosen
// from the window's own menu, inside this command, so that phone notifications wait until it
// has run.
void TForm1::PopupMenu1Popup() {
    POINT pointer{};
    GetCursorPos(&pointer);
    SetForegroundWindow(handle());
    UINT chosen = 0;
    {
        const BoxOpen box(*this);
        chosen = static_cast<UINT>(TrackPopupMenu(popupMenu_.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                  pointer.x, pointer.y, 0, handle(), nullptr));
    }
    PostMessageW(handle(), WM_NULL, 0, 0);
    if (chosen != 0) {
        SendMessageW(handle(), WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
}

void TForm1::enterTrayMode() {
    if (inTrayMode_) {
        return;
    }
    hide();
    inTrayMode_ = true;
    if (setup_.trayIcon == nullptr || !setup_.trayIcon->add(handle(), WM_TRAY_ICON)) {
        // Without a notification area the hidden window would be out of reach.
        inTrayMode_ = false;
        ShowWindow(handle(), SW_SHOWMINNOACTIVE);
        return;
    }
    if (optionsDialog_.mainWindowInTray) {
        optionsDialog_.mainWindowInTray(true);
    }
}

void TForm1::leaveTrayMode() {
    if (!inTrayMode_) {
        return;
    }
    show(SW_SHOW);
    SetForegroundWindow(handle());
    removeTrayIcon();
    if (optionsDialog_.mainWindowInTray) {
        optionsDialog_.mainWindowInTray(false);
    }
}

// Explorer started again, with an empty notification area: the icon goes back. Should it not
// take the icon, the window comes back instead.
void TForm1::onTaskbarCreated() {
    if (inTrayMode_ && !setup_.trayIcon->add(handle(), WM_TRAY_ICON)) {
        leaveTrayMode();
    }
}

void TForm1::removeTrayIcon() {
    if (std::exchange(inTrayMode_, false)) {
        setup_.trayIcon->remove();
    }
}

}  // namespace tonvale
