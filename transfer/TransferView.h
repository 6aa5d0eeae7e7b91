// What Open and Upload show on the main window: the status view of the phone commands, widened
// by the progress of the upload.
#pragma once

#include <cstdint>
#include <string>

#include "PhoneStatusView.h"

namespace tonvale {

class TransferView : public PhoneStatusView {
  public:
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;
    // Shows what changed now, while the command is still running.
    virtual void refresh() = 0;
    // The bytes written so far of all the upload will write; told between the pieces of a file
    // too, so that a slow phone's upload shows its progress and the window keeps answering.
    virtual void showBytesWritten(uint64_t written, uint64_t total) = 0;
};

}  // namespace tonvale
