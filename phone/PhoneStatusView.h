// What the phone commands show: the status panels, the activity log and the progress bar. The
// main window implements it; tests record it.
#pragma once

#include <string>

namespace tonvale {

class PhoneStatusView {
  public:
    virtual ~PhoneStatusView() = default;

    virtual void setStatusPanel(int panel, const std::wstring& text) = 0;
    virtual void appendLog(const std::wstring& line) = 0;
    // Maximum and position both to 0.
    virtual void resetProgress() = 0;
};

}  // namespace tonvale
