#include "UploadFeedback.h"

#include <utility>

namespace tonvale {

namespace {

// Each drawing costs milliseconds, so a quick run of small files is drawn at most this often,
// which the eye cannot tell from every entry.
constexpr ULONGLONG kRefreshIntervalMs = 100;
// Lines added to a long log cost tens of milliseconds under Wine, where they are laid out anew.
constexpr ULONGLONG kLinesIntervalMs = 500;

}  // namespace

UploadFeedback::Running::Running(UploadFeedback& feedback, HWND window) : feedback_(feedback) {
    feedback_.window_ = window;
    feedback_.busy_.emplace();
    // Nothing is drawn in the first 100 ms, which the eye cannot tell from at once: an upload
    // as quick as that draws only when it ends. The first refresh brings the lines too.
    const ULONGLONG now = GetTickCount64();
    feedback_.lastRefresh_ = now;
    feedback_.lastLines_ = now - kLinesIntervalMs;
}

// Whatever ended the upload, the taskbar button drops the progress it showed, and a log-off
// it held up waits no longer.
UploadFeedback::Running::~Running() {
    ShutdownBlockReasonDestroy(feedback_.window_);
    feedback_.busy_.reset();
    feedback_.written_ = feedback_.total_ = 0;
    if (feedback_.taskbar_ != nullptr && std::exchange(feedback_.onTaskbar_, false)) {
        feedback_.taskbar_->clear(feedback_.window_);
    }
}

void UploadFeedback::refresh() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastRefresh_ < kRefreshIntervalMs) {
        return;
    }
    lastRefresh_ = now;
    if (now - lastLines_ >= kLinesIntervalMs) {
        lastLines_ = now;
        gathered_.show();
    } else {
        gathered_.showPosition();
    }
    if (taskbar_ != nullptr && total_ > 0) {
        taskbar_->show(window_, written_, total_);
        onTaskbar_ = true;
    }
    if (busy_) {
        busy_->keepAnswering();
    }
}

void UploadFeedback::showBytesWritten(uint64_t written, uint64_t total) {
    written_ = written;
    total_ = total;
    refresh();
}

}  // namespace tonvale
