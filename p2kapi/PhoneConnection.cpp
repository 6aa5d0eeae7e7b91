// The phone's connection: attaching, detaching, restarting, and the thread that calls the
// program's connection handler.
#include "VirtualPhone.h"

namespace p2kapi {

void VirtualPhone::ensureThreadLocked() {
    if (notifierThread_) {
        return;
    }
    // The thread runs for the rest of the process, so the library must never be unmapped under
    // it: pin it.
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&VirtualPhone::notifierMain), &self);
    notifierThread_ = tonvale::OwnedKernelHandle(
        ::CreateThread(nullptr, 0, &VirtualPhone::notifierMain, this, 0, &notifierThreadId_));
}

DWORD WINAPI VirtualPhone::notifierMain(void* self) {
    static_cast<VirtualPhone*>(self)->runNotifier();
    return 0;
}

void VirtualPhone::runNotifier() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (attachDue_ && Clock::now() >= *attachDue_) {
            attachLocked();
        }
        if (!pendingNotifications_.empty() && handler_ != nullptr) {
            const bool attached = pendingNotifications_.front();
            pendingNotifications_.pop_front();
            callHandlerLocked(lock, handler_, attached);
            continue;
        }
        if (attachDue_) {
            notifierWake_.wait_until(lock, *attachDue_);
        } else {
            notifierWake_.wait(lock);
        }
    }
}

void VirtualPhone::callHandlerLocked(std::unique_lock<std::mutex>& lock, P2K_ConnectHandler handler,
                                     bool attached) {
    const uint64_t generation = generation_;
    const bool withState = settings_.handlerGetsState;
    const DWORD self = ::GetCurrentThreadId();
    const bool onCallersThread = self != notifierThreadId_;
    ++handlersRunning_;
    if (onCallersThread) {
        callerInHandler_ = self;
    }
    lock.unlock();
    if (withState) {
        // As a C function of one argument: the argument is ours to take off again, so a handler
        // that takes none is called safely too.
        using StateHandler = void(__cdecl*)(int);
        reinterpret_cast<StateHandler>(handler)(attached ? 1 : 0);
    } else {
        handler();
    }
    lock.lock();
    --handlersRunning_;
    if (onCallersThread) {
        callerInHandler_ = 0;
    }
    if (generation == generation_) {
        ++handlerCalls_;
        handlerThreadId_ = self;
    }
    stateChanged_.notify_all();
}

void VirtualPhone::attachLocked() {
    attachDue_.reset();
    attached_ = true;
    // However often the handler was registered while detached, attaching calls it once.
    pendingNotifications_.clear();
    if (handler_ != nullptr) {
        pendingNotifications_.push_back(true);
    }
    notifierWake_.notify_all();
}

// A phone that goes away takes its undelivered attaches with it; a library that tells of a
// detach owes one call more.
void VirtualPhone::detachLocked() {
    const bool wasAttached = attached_;
    attachDue_.reset();
    attached_ = false;
    pendingNotifications_.clear();
    openFile_.reset();
    if (wasAttached && settings_.notifyDetach && handler_ != nullptr) {
        pendingNotifications_.push_back(false);
        notifierWake_.notify_all();
    }
}

void VirtualPhone::scheduleAttachLocked(unsigned delayMs) {
    if (delayMs == 0) {
        attachLocked();
        return;
    }
    attachDue_ = Clock::now() + std::chrono::milliseconds(delayMs);
    notifierWake_.notify_all();
}

void VirtualPhone::registerHandler(P2K_ConnectHandler handler) {
    auto lock = lockState();
    handler_ = handler;
    if (handler == nullptr) {
        pendingNotifications_.clear();
    } else if (attached_ && settings_.handlerOnCallersThread) {
        callHandlerLocked(lock, handler, true);
    } else if (attached_) {
        pendingNotifications_.push_back(true);
        notifierWake_.notify_all();
    }
}

CallingConvention VirtualPhone::convention() {
    auto lock = lockState();
    return settings_.callingConvention;
}

bool VirtualPhone::isAttached() {
    auto lock = lockState();
    return attached_;
}

bool VirtualPhone::restart() {
    auto lock = lockState();
    if (!attached_) {
        return false;
    }
    detachLocked();
    scheduleAttachLocked(settings_.restartDelayMs);
    return true;
}

void VirtualPhone::attachNow() {
    auto lock = lockState();
    if (!attached_) {
        attachLocked();
    }
}

void VirtualPhone::detachNow() {
    auto lock = lockState();
    detachLocked();
}

void VirtualPhone::detachAfterWrites(int count) {
    auto lock = lockState();
    writesBeforeDetach_ = count > 0 ? count : 0;
}

// The cable pulled mid-upload: the write that was counted last has arrived, nothing after it.
void VirtualPhone::writeDone() {
    auto lock = lockState();
    if (writesBeforeDetach_ > 0 && --writesBeforeDetach_ == 0) {
        detachLocked();
    }
}

int VirtualPhone::handlerCalls() {
    auto lock = lockState();
    return handlerCalls_;
}

unsigned long VirtualPhone::handlerThreadId() {
    auto lock = lockState();
    return handlerThreadId_;
}

bool VirtualPhone::waitForHandlerCalls(int count, unsigned timeoutMs) {
    auto lock = lockState();
    return stateChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return handlerCalls_ >= count; });
}

}  // namespace p2kapi
