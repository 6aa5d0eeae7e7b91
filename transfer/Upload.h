// Upload: every entry of the list, in list order, into the phone folder of the selected
// category, with each step in the log and the progress bar following.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "FileList.h"
#include "LocalFiles.h"
#include "Phone.h"
#include "PictureFitting.h"
#include "TransferView.h"

namespace tonvale {

// Attempts one entry gets when creating or writing its phone file fails.
inline constexpr int kAttemptsPerEntry = 3;
// The most bytes one File_Write may carry: the libraries read a 16-bit length.
inline constexpr size_t kLargestWrite = 65535;

// What the upload is told besides the list: the phone folder of the selected category, and the
// two figures of the room check as the decimal texts they are held as.
struct UploadFigures {
    const std::wstring& phoneFolder;
    const std::wstring& pendingTotal;
    const std::wstring& freeSpaceFigure;
    // Whether pictures going into the Picture category's folder are fitted to the screen.
    PictureFitting fitting = {};
};

// A running upload as the window sees it while it answers the system between two writes: when
// Windows ends the session, the phone file being written is closed and deleted at once, as for
// a phone pulled out, and the upload makes no further call of the library.
class UploadRun {
  public:
    void stop(Phone& phone);
    bool stopped() const { return stopped_; }

    // The upload's own bookkeeping: the phone file it has open.
    void opened(const std::string& phonePath) { openPhoneFile_ = phonePath; }
    void closed() { openPhoneFile_.reset(); }

  private:
    std::optional<std::string> openPhoneFile_;
    bool stopped_ = false;
};

// `contents` is the program's one contents buffer; it holds the entry being written. A local
// file that cannot be read, or a free-space figure or pending total that is not a whole 32-bit
// number, ends the command with the runtime's error. Without a phone folder nothing is asked of
// the phone. `fitter` fits the pictures when the figures say so; without one none is fitted.
void uploadFiles(Phone& phone, const FileList& list, LocalFiles& files, Contents& contents,
                 const UploadFigures& figures, TransferView& view, UploadRun& run,
                 PictureFitter* fitter = nullptr);

}  // namespace tonvale
