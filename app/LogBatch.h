// What a running command gives the activity log and the progress bar, shown in one go: adding
// to a long multi-line edit costs as much for one line as for many, and the bar draws itself at
// every new position.
#pragma once

#include <optional>
#include <string>

#include "win/Controls.h"

namespace tonvale {

class LogBatch {
  public:
    LogBatch(const win::EditControl& log, const win::ProgressBarControl& bar)
        : log_(log), bar_(bar) {}

    void append(const std::wstring& line);
    void setPosition(int position) { position_ = position; }
    // The bar was reset meanwhile: a position gathered before is no longer to be shown.
    void forgetPosition() { position_.reset(); }
    // Clear log file: nothing gathered is shown, and the log is emptied.
    void clearLog();
    // Shows what was gathered.
    void show();
    // Shows the gathered position of the bar, the lines staying gathered.
    void showPosition();

  private:
    const win::EditControl& log_;
    const win::ProgressBarControl& bar_;
    std::wstring lines_;  // "\r\n" between the lines
    std::optional<int> position_;
};

}  // namespace tonvale
