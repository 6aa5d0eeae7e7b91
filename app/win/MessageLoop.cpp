#include "MessageLoop.h"

namespace tonvale::win {

void MessageLoop::addForm(HWND form) {
    forms_.push_back(form);
}

int MessageLoop::run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        handle(message);
    }
    return static_cast<int>(message.wParam);
}

bool MessageLoop::handlePending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        handle(message);
    }
    return true;
}

void MessageLoop::settle() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
        handle(message);
    }
}

void MessageLoop::handle(MSG& message) {
    for (HWND form : forms_) {
        if (IsWindow(form) && (message.hwnd == form || IsChild(form, message.hwnd)) &&
            IsDialogMessageW(form, &message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace tonvale::win
