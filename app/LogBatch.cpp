#include "LogBatch.h"

#include <utility>

namespace tonvale {

void LogBatch::append(const std::wstring& line) {
    if (!lines_.empty()) {
        lines_ += L"\r\n";
    }
    lines_ += line;
}

void LogBatch::clearLog() {
    lines_.clear();
    log_.setText(L"");
}

void LogBatch::showPosition() {
    if (position_) {
        bar_.setPosition(*std::exchange(position_, std::nullopt));
    }
}

void LogBatch::show() {
    if (!lines_.empty()) {
        log_.appendLine(lines_);
        lines_.clear();
    }
    if (position_) {
        bar_.setPosition(*std::exchange(position_, std::nullopt));
    }
}

}  // namespace tonvale
