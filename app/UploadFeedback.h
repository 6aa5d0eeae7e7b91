// The main window while an upload runs inside its handler: the progress bar and the bytes on the
// taskbar button move at most every 100 ms, between a slow phone's pieces too, and the log's new
// lines come at most every half second (adding to a long log costs more than all the rest); the
// wait cursor is over the windows, which are painted and answer the system. Commands sent
// meanwhile wait, as input does, until the upload has returned.
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
    // `gathered` holds what the upload gives the log and the progress bar; `inputMessage` is a
    // message of the window's own that comes from the user, such as the tray icon's clicks.
    UploadFeedback(TaskbarProgress* taskbar, UINT inputMessage, LogBatch& gathered)
        : taskbar_(taskbar), inputMessage_(inputMessage), gathered_(gathered) {}

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
    // it, as input does; true when it was. While the upload runs the window only looks at its
    // queue to answer the system, so what reaches it then is what is sent to it: WM_COMMAND
    // and WM_SYSCOMMAND sent by another program (a button clicked from outside), WM_CLOSE,
    // the tray icon's message, and WM_DROPFILES; the notifications of the list and the tabs
    // (WM_NOTIFY, which cannot be posted again) are kept by the window itself.
    bool deferred(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
    // Shows what changed, unless that was done less than 100 ms ago.
    void refresh();
    void showBytesWritten(uint64_t written, uint64_t total);

  private:
    TaskbarProgress* taskbar_;
    UINT inputMessage_;
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
