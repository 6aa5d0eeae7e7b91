#include "MessageLoop.h"

#include <utility>

namespace tonvale::win {

namespace {

// A timer of the thread's own, with no window and no procedure: its messages come to the loop.
class ThreadTimer {
  public:
    ThreadTimer() = default;  // none
    explicit ThreadTimer(UINT milliseconds) : id_(SetTimer(nullptr, 0, milliseconds, nullptr)) {}
    ~ThreadTimer() { end(); }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;

    bool sent(const MSG& message) const {
        return id_ != 0 && message.message == WM_TIMER && message.hwnd == nullptr &&
               message.wParam == id_;
    }
    void end() {
        if (id_ != 0) {
            KillTimer(nullptr, std::exchange(id_, 0));
        }
    }

  private:
    UINT_PTR id_ = 0;
};

}  // namespace

void MessageLoop::addForm(HWND form) {
    forms_.push_back(form);
}

int MessageLoop::run(const std::function<void()>& onceIdle) {
    // A timer's message comes only when nothing else is queued, input and drawing included, so
    // the thread has waited by then; typed-ahead input goes first.
    ThreadTimer idle = onceIdle ? ThreadTimer(USER_TIMER_MINIMUM) : ThreadTimer();
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (idle.sent(message)) {
            idle.end();
            onceIdle();
            continue;
        }
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
