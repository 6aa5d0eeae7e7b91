// The work the main window's commands act on, without the window: the files chosen for upload,
// the pending total and the free-space figure as the decimal texts they are, the category with
// its phone folder, and the upload's one contents buffer. The window mirrors it and never hands
// anything back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "FileList.h"
#include "LocalFiles.h"
#include "Phone.h"
#include "TransferView.h"
#include "Upload.h"

namespace tonvale {

// What shows the workspace besides its file list: the phone folder, both figures, and what
// Open, Upload and the connection report tell.
class WorkspaceView : public TransferView {
  public:
    virtual void showPhoneFolder(const std::wstring& folder) = 0;
    virtual void showPendingTotal(const std::wstring& text) = 0;
    virtual void showFreeSpaceFigure(const std::wstring& text) = 0;
};

class Workspace {
  public:
    // Starts with no category: no phone folder until one is selected, both figures empty, and
    // no picture fitted. `fitter`, if given, fits pictures once that is turned on.
    Workspace(Phone& phone, LocalFiles& files, Collation collation, WorkspaceView& view,
              FileListView& rows, PictureFitter* fitter = nullptr);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const FileList& files() const { return list_; }
    // The selected category's index in tab order, or -1 before the first selection.
    int category() const { return category_; }
    const std::wstring& phoneFolder() const { return phoneFolder_; }
    const std::wstring& pendingTotal() const { return pendingTotal_; }
    const std::wstring& freeSpaceFigure() const { return freeSpaceFigure_; }

    // The phone folder follows the category; the list and the figures stay. An index outside
    // the categories changes nothing.
    void selectCategory(int index);
    // Whether, and to which screen, uploads into the Picture category's folder fit pictures.
    void setPictureFitting(const PictureFitting& fitting) { fitting_ = fitting; }
    const PictureFitting& pictureFitting() const { return fitting_; }
    // Open: each file of the selection becomes an entry, logged and measured, and the
    // selection's bytes the pending total. A cancelled dialog is an empty selection. A file that
    // cannot be measured ends it with the runtime's error: its entry and log line stay, and the
    // pending total keeps its old value.
    void open(const std::vector<std::wstring>& selection);
    // Upload: every entry into the phone folder, with the room check against both figures.
    void upload();
    // Windows is ending the session while the upload runs (it answers the system between two
    // writes): the phone file being written is closed and deleted now, and the upload ends
    // without another call of the library. Nothing when no upload runs.
    void stopUpload();
    // Clear files list: the entries, then the pending total and the free-space figure.
    void clearFiles();
    // A name edited in place, for the entry with this id, which takes the entry's place in the
    // order; a name the phone cannot hold, or another entry's, is refused with a log line.
    // Nothing when the entry has left the list.
    void rename(uint64_t entryId, std::wstring name);
    // The library called the connection handler: for an attached phone the status panels,
    // "Connected" and the new free-space figure; for one gone, panel 0 alone.
    void reportPhoneNotification();

  private:
    void setPendingTotal(std::wstring text);
    void setFreeSpaceFigure(std::wstring text);

    Phone& phone_;
    LocalFiles& localFiles_;
    PictureFitter* fitter_;
    PictureFitting fitting_;
    WorkspaceView& view_;
    FileList list_;
    int category_ = -1;
    std::wstring phoneFolder_;
    std::wstring pendingTotal_;
    std::wstring freeSpaceFigure_;
    // The contents of the entry being uploaded: one buffer for the whole run.
    Contents contents_;
    UploadRun* runningUpload_ = nullptr;
};

}  // namespace tonvale
