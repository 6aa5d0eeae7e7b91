#include "ConnectionRelay.h"

#include <mutex>

namespace tonvale {

namespace {

// The handler has no argument, so its target has to live here. The lock makes detach() a
// barrier: no post can be under way once it has returned.
struct RelayTarget {
    std::mutex lock;
    HWND window = nullptr;
    UINT message = 0;
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
}

void ConnectionRelay::detach(HWND window) {
    RelayTarget& relay = target();
    std::lock_guard guard(relay.lock);
    if (relay.window == window) {
        relay.window = nullptr;
    }
}

void P2K_CALL ConnectionRelay::onConnect() {
    RelayTarget& relay = target();
    std::lock_guard guard(relay.lock);
    if (relay.window != nullptr) {
        PostMessageW(relay.window, relay.message, 0, 0);
    }
}

}  // namespace tonvale
