// The phone's notifications as the main window takes them. One that arrives while a command runs
// (a command may run a message loop of its own, as About does) waits until the outermost command
// has ended, so that a report never lands in the middle of a command; none is lost or repeated.
#pragma once

#include <functional>

namespace tonvale {

class NotificationQueue {
  public:
    // `report` handles one notification.
    explicit NotificationQueue(std::function<void()> report) : report_(std::move(report)) {}

    // Marks a command as running while it lives, also when the command throws; when the
    // outermost one ends, the notifications that waited for it are reported.
    class RunningCommand {
      public:
        explicit RunningCommand(NotificationQueue& queue) : queue_(queue) { ++queue_.depth_; }
        RunningCommand(const RunningCommand&) = delete;
        RunningCommand& operator=(const RunningCommand&) = delete;
        ~RunningCommand() {
            if (--queue_.depth_ == 0) {
                try {
                    queue_.reportWaiting();
                } catch (...) {
                    // The report shows its own failures; nothing more can be done here.
                }
            }
        }

      private:
        NotificationQueue& queue_;
    };

    bool commandRunning() const { return depth_ > 0; }
    // `count` notifications have arrived: reported now, or once the running command has ended.
    void arrived(int count);
    // Nothing is reported any more, as when the window is closing.
    void close() { closed_ = true; }

  private:
    void reportWaiting();

    std::function<void()> report_;
    int depth_ = 0;
    int waiting_ = 0;
    bool closed_ = false;
};

}  // namespace tonvale
