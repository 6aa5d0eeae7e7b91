// The main window while an upload runs inside its handler: the progress bar and the bytes on the
// taskbar button move at most every 100 ms, between a slow phone's pieces too, and the log's new
// lines come at most every half second (adding to a long log costs more than all the rest); the
// wait cursor is over the windows, which are painted and answer the system. What is sent to the
// window meanwhile is the gate's to decide; input waits in the queue.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "LogBatch.h"
#include "TaskbarProgress.h"
#include "win/BusyScope.h"

namespace tonvale {

class UploadFeedback {
  public:
    // `gathered` holds what the upload gives the log and the progress bar.
    UploadFeedback(TaskbarProgress* taskbar, LogBatch& gathered)
        : taskbar_(taskbar), gathered_(gathered) {}

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
    // Shows what changed, unless that was done less than 100 ms ago.
    void refresh();
    void showBytesWritten(uint64_t written, uint64_t total);

  private:
    TaskbarProgress* taskbar_;
    LogBatch& gathered_;
    HWND window_ = nullptr;
    std::optional<win::BusyScope> busy_;
    ULONGLONG lastRefresh_ = 0;
    ULONGLONG lastLines_ = 0;
    uint64_t written_ = 0;
    uint64_t total_ = 0;
    bool onTaskbar_ = false;  // the button shows the upload's progress
};

}  // namespace tonvale
