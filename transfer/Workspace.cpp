#include "Workspace.h"

#include <utility>

#include "ConnectionReport.h"
#include "MediaCategories.h"
#include "OpenFiles.h"
#include "Upload.h"

namespace tonvale {

Workspace::Workspace(Phone& phone, LocalFiles& files, Collation collation, WorkspaceView& view,
                     FileListView& rows, PictureFitter* fitter)
    : phone_(phone),
      localFiles_(files),
      fitter_(fitter),
      view_(view),
      list_(std::move(collation), &rows) {}

void Workspace::selectCategory(int index) {
    const auto categories = mediaCategories();
    if (index < 0 || static_cast<size_t>(index) >= categories.size()) {
        return;
    }
    category_ = index;
    phoneFolder_ = categories[static_cast<size_t>(index)].phoneFolder;
    view_.showPhoneFolder(phoneFolder_);
}

void Workspace::open(const std::vector<std::wstring>& selection) {
    setPendingTotal(openFiles(selection, list_, localFiles_, view_));
}

// The figures as they stand when the upload starts: it works through copies of them.
void Workspace::upload() {
    const std::wstring folder = phoneFolder_;
    const std::wstring pending = pendingTotal_;
    const std::wstring freeSpace = freeSpaceFigure_;
    UploadRun run;
    runningUpload_ = &run;
    struct Ended {
        UploadRun*& running;
        ~Ended() { running = nullptr; }
    } ended{runningUpload_};
    uploadFiles(phone_, list_, localFiles_, contents_,
                UploadFigures{folder, pending, freeSpace, fitting_}, view_, run, fitter_);
}

void Workspace::stopUpload() {
    if (runningUpload_ != nullptr) {
        runningUpload_->stop(phone_);
    }
}

void Workspace::clearFiles() {
    list_.clear();
    setPendingTotal(L"");
    setFreeSpaceFigure(L"");
}

void Workspace::rename(uint64_t entryId, std::wstring name) {
    const std::optional<size_t> index = list_.indexOf(entryId);
    if (!index) {
        return;
    }
    if (const auto why = whyNameIsRefused(name)) {
        view_.appendLog(*why);
        return;
    }
    const std::wstring quoted = L"\"" + name + L"\"";
    if (!list_.rename(*index, std::move(name))) {
        view_.appendLog(L"Name not changed: " + quoted + L" is already in the list");
    }
}

void Workspace::reportPhoneNotification() {
    if (auto figure = tonvale::reportPhoneNotification(phone_, view_)) {
        setFreeSpaceFigure(std::move(*figure));
    }
}

void Workspace::setPendingTotal(std::wstring text) {
    pendingTotal_ = std::move(text);
    view_.showPendingTotal(pendingTotal_);
}

void Workspace::setFreeSpaceFigure(std::wstring text) {
    freeSpaceFigure_ = std::move(text);
    view_.showFreeSpaceFigure(freeSpaceFigure_);
}

}  // namespace tonvale
