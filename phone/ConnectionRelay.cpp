#include "ConnectionRelay.h"

#include <mutex>
#include <utility>

namespace tonvale {

namespace {

// The handler has no argument, so its target has to live here. The lock makes detach() a
// barrier: no post can be under way once it has returned.
struct RelayTarget {
    std::mutex lock;
    HWND window = nullptr;
    UINT message = 0;
    int counted = 0;         // notifications not yet taken by the window
    bool announced = false;  // a message for them is in the window's queue
};

// Never destroyed: the library's thread may still call in while the program's statics are
// being torn down at exit.
RelayTarget& target() {
    static RelayTarget* const instance = new RelayTarget;
    return *instance;
}

}  // namespace

void ConnectionRelay::attach(HWND window, UINT message) {
    RelayTarget& relay = target();
    std::lock_guard guard(relay.lock);
    relay.window = window;
    relay.message = message;
    relay.counted = 0;
    relay.announced = false;
}

void ConnectionRelay::detach(HWND window) {
    RelayTarget& relay = target();
    std::lock_guard guard(relay.lock);
    if (relay.window == window) {
        relay.window = nullptr;
        relay.counted = 0;
    }
}

int ConnectionRelay::take(HWND window) {
    RelayTarget& relay = target();
    std::lock_guard guard(relay.lock);
    if (relay.window != window || window == nullptr) {
        return 0;
    }
    relay.announced = false;
    return std::exchange(relay.counted, 0);
}

void P2K_CALL ConnectionRelay::onConnect() noexcept {
    try {
        RelayTarget& relay = target();
        std::lock_guard guard(relay.lock);
        if (relay.window == nullptr) {
            return;
        }
        ++relay.counted;
        if (!relay.announced) {
            relay.announced = PostMessageW(relay.window, relay.message, 0, 0) != FALSE;
        }
    } catch (...) {
        // Nothing may unwind into the library; without its lock the relay cannot count.
    }
}

}  // namespace tonvale
