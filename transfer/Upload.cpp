#include "Upload.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "CodePage.h"
#include "MediaCategories.h"
#include "RuntimeError.h"

namespace tonvale {

namespace {

void logFileCount(Phone& phone, TransferView& view) {
    // The library's first answer may be stale; the second is the one that counts.
    phone.fileCount();
    view.appendLog(std::to_wstring(phone.fileCount()) + L" files found in phone");
}

// What the whole upload writes and has written, for the view.
struct ByteCount {
    uint64_t written = 0;
    uint64_t total = 0;
};

enum class Outcome { Written, Failed, Stopped };

// A file under 64 KiB goes in one call; a larger one in consecutive pieces the 16-bit length
// of the libraries can carry. Never more bytes than were loaded.
Outcome writeContents(Phone& phone, const Contents& contents, ByteCount& bytes, TransferView& view,
                      const UploadRun& run) {
    // An empty file is one write of nothing, from a valid address all the same: a library that
    // checks its argument would refuse a null one.
    static const unsigned char nothing = 0;
    size_t written = 0;
    do {
        const size_t piece = std::min(contents.size() - written, kLargestWrite);
        const unsigned char* from = contents.empty() ? &nothing : contents.data() + written;
        if (phone.writeFile(from, static_cast<uint32_t>(piece)) != 0) {
            return Outcome::Failed;
        }
        written += piece;
        bytes.written += piece;
        view.showBytesWritten(bytes.written, bytes.total);
        if (run.stopped()) {
            return Outcome::Stopped;
        }
    } while (written < contents.size());
    return Outcome::Written;
}

// Deletes any phone file of the name, creates it afresh and writes the contents; written when
// the whole contents are in the phone file, which is left open.
Outcome attemptEntry(Phone& phone, const std::string& phonePath, const Contents& contents,
                     ByteCount& bytes, TransferView& view, UploadRun& run) {
    phone.deleteFile(phonePath);
    if (phone.createFile(phonePath) == -1) {
        view.appendLog(L"file creat error");
        return Outcome::Failed;
    }
    run.opened(phonePath);
    const uint64_t writtenBefore = bytes.written;
    const Outcome outcome = writeContents(phone, contents, bytes, view, run);
    if (outcome == Outcome::Failed) {
        bytes.written = writtenBefore;
        // A half-written file must not stay on the phone as if it were the whole one.
        phone.closeFile();
        run.closed();
        phone.deleteFile(phonePath);
    }
    return outcome;
}

// The picture in `contents` fitted to the screen, when that is asked for the folder.
FittedPicture fitWhereAsked(PictureFitter* fitter, const UploadFigures& figures, Contents& contents,
                            ByteCount& bytes) {
    const bool pictureFolder = figures.phoneFolder == mediaCategories()[0].phoneFolder;
    if (fitter == nullptr || !figures.fitting.enabled || !pictureFolder) {
        return {};
    }
    const size_t before = contents.size();
    FittedPicture fitted = fitter->fit(contents, figures.fitting.screen);
    bytes.total = bytes.total - before + contents.size();
    return fitted;
}

// The line after an uploaded entry's own, for a picture fitted or one that could not be.
void logFitting(const FittedPicture& fitted, const std::wstring& name, TransferView& view) {
    if (fitted.outcome == FittedPicture::Outcome::Fitted) {
        view.appendLog(name + L" was fitted to " + std::to_wstring(fitted.size.width) + L"x" +
                       std::to_wstring(fitted.size.height));
    } else if (fitted.outcome == FittedPicture::Outcome::NotFitted) {
        view.appendLog(name + L" was not fitted: " + fitted.why);
    }
}

}  // namespace

void UploadRun::stop(Phone& phone) {
    stopped_ = true;
    if (openPhoneFile_) {
        phone.closeFile();
        phone.deleteFile(*std::exchange(openPhoneFile_, std::nullopt));
    }
}

void uploadFiles(Phone& phone, const FileList& list, LocalFiles& files, Contents& contents,
                 const UploadFigures& figures, TransferView& view, UploadRun& run,
                 PictureFitter* fitter) {
    // Before a category is applied (its start-up can fail) there is no folder to write into,
    // and a bare name is no phone path any library is known to take.
    if (figures.phoneFolder.empty()) {
        view.appendLog(L"No phone folder: select a category tab first");
        return;
    }
    const int entries = static_cast<int>(list.size());
    view.setProgressMaximum(entries);
    phone.resetFilePointer();
    if (!phone.isConnected()) {
        view.appendLog(L"not connect");
        logFileCount(phone, view);
        return;
    }
    logFileCount(phone, view);
    if (list.empty()) {
        view.appendLog(L"files don't selected");
        logFileCount(phone, view);
        return;
    }

    files.load(list[0].path, contents);
    const int32_t freeBytes = parseInt32(figures.freeSpaceFigure);
    const int32_t pendingBytes = parseInt32(figures.pendingTotal);
    if (freeBytes <= pendingBytes) {
        view.appendLog(L"not memory");
        logFileCount(phone, view);
        return;
    }

    ByteCount bytes;
    for (size_t i = 0; i < list.size(); ++i) {
        bytes.total += static_cast<uint64_t>(std::max<int64_t>(list[i].sizeBytes.value_or(0), 0));
    }
    const std::optional<std::string> folder = toSystemCodePage(figures.phoneFolder);
    // A refresh lets the system's messages in, the end of the session among them.
    const auto refreshedAndGoingOn = [&view, &run] {
        view.refresh();
        return !run.stopped();
    };
    for (int position = 0; position < entries; ++position) {
        // A copy: the view's refreshes let messages in, and nothing may be read through a
        // reference into the list across them.
        const FileEntry entry = list[static_cast<size_t>(position)];
        if (position > 0) {
            files.load(entry.path, contents);
        }
        const FittedPicture fitted = fitWhereAsked(fitter, figures, contents, bytes);
        const std::optional<std::string> name = toSystemCodePage(entry.name);
        if (!folder || !name) {
            view.appendLog(entry.name +
                           L" was not uploaded in phone: the phone cannot hold its name");
            if (!refreshedAndGoingOn()) {
                return;
            }
            continue;
        }
        const std::string phonePath = *folder + *name;
        Outcome outcome = Outcome::Failed;
        for (int attempt = 0; attempt < kAttemptsPerEntry && outcome == Outcome::Failed;
             ++attempt) {
            outcome = attemptEntry(phone, phonePath, contents, bytes, view, run);
        }
        if (outcome == Outcome::Stopped) {
            view.appendLog(entry.name +
                           L" was not uploaded in phone: Windows is ending the session");
            return;
        }
        if (outcome == Outcome::Written) {
            view.appendLog(entry.name + L" was uploaded in phone");
            logFitting(fitted, entry.name, view);
            view.setProgressMaximum(entries);
            view.setProgressPosition(position + 1);
            phone.closeFile();
            run.closed();
            if (!refreshedAndGoingOn()) {
                return;
            }
            continue;
        }
        view.appendLog(entry.name + L" was not uploaded in phone");
        // A phone pulled out fails every entry after this one too, each call perhaps after a
        // time-out of the library's: the rest are left for the next upload.
        if (!phone.isConnected()) {
            view.appendLog(L"not connect");
            break;
        }
        if (!refreshedAndGoingOn()) {
            return;
        }
    }
    logFileCount(phone, view);
}

}  // namespace tonvale
