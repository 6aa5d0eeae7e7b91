// The main window while an upload runs inside its handler: what the upload gathered is shown at
// most every 100 ms, between a slow phone's pieces too, with its bytes on the taskbar button,
// the wait cursor over the windows, and the windows painted and answering the system. Commands
// sent meanwhile wait, as input does, until the upload has returned.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "TaskbarProgress.h"
#include "win/BusyScope.h"

namespace tonvale {

class UploadFeedback {
  public:
    // `showGathered` shows what the upload has given the log and the progress bar so far;
    // `inputMessage` is a message of the window's own that comes from the user, such as the
    // tray icon's clicks.
    UploadFeedback(TaskbarProgress* taskbar, UINT inputMessage, std::function<void()> showGathered)
        : taskbar_(taskbar), inputMessage_(inputMessage), showGathered_(std::move(showGathered)) {}

    // The upload's time: from this call until the returned object ends.
    class Running {
      public:
        Running(UploadFeedback& feedback, HWND window);
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ~Running();

      private:
        UploadFeedback& feedback_;
    };
    [[nodiscard]] Running start(HWND window) { return Running(*this, window); }

    bool running() const { return busy_.has_value(); }
    // A message that would start a command while the upload runs: posted again to run after
    // it, as input does; true when it was.
    bool deferred(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    // Shows what changed, unless that was done less than 100 ms ago.
    void refresh();
    void showBytesWritten(uint64_t written, uint64_t total);

  private:
    TaskbarProgress* taskbar_;
    UINT inputMessage_;
    std::function<void()> showGathered_;
    HWND window_ = nullptr;
    std::optional<win::BusyScope> busy_;
    ULONGLONG lastRefresh_ = 0;
    uint64_t written_ = 0;
    uint64_t total_ = 0;
};

}  // namespace tonvale
