// What Open and Upload read and show on the main window: the status view of the phone
// commands, widened by the fields the upload reads and the progress it shows.
#pragma once

#include <cstdint>
#include <string>

#include "PhoneStatusView.h"

namespace tonvale {

class TransferView : public PhoneStatusView {
  public:
    // The phone folder of the selected category (the Path field).
    virtual std::wstring phoneFolder() const = 0;
    // The pending total: the bytes of the latest selection, as decimal text.
    virtual std::wstring pendingTotal() const = 0;
    virtual void setPendingTotal(const std::wstring& text) = 0;
    // The free-space figure of the last connection report.
    virtual std::wstring freeSpaceFigure() const = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;
    // Shows what changed now, while the command is still running.
    virtual void refresh() = 0;
    // The bytes written so far of all the upload will write; told between the pieces of a file
    // too, so that a slow phone's upload shows its progress and the window keeps answering.
    virtual void showBytesWritten(uint64_t written, uint64_t total) = 0;
};

}  // namespace tonvale
