#include "FileListRows.h"

#include <algorithm>
#include <string>

#include "win/Dpi.h"

namespace tonvale {

namespace {

constexpr int kOtherColumnsWidth = 50;

}  // namespace

void FileListRows::addColumns(int dpi) {
    list_.addColumn(0, L"File(s)", win::scaleForDpi(100, dpi));
    list_.addColumn(1, L"Type", win::scaleForDpi(kOtherColumnsWidth, dpi));
    list_.addColumn(2, L"Size", win::scaleForDpi(kOtherColumnsWidth, dpi));
    fitNameColumn(dpi);
}

void FileListRows::fitNameColumn(int dpi) const {
    if (list_.handle() == nullptr) {
        return;
    }
    const int otherWidth = win::scaleForDpi(kOtherColumnsWidth, dpi);
    list_.setColumnWidth(1, otherWidth);
    list_.setColumnWidth(2, otherWidth);
    RECT client{};
    GetClientRect(list_.handle(), &client);
    list_.setColumnWidth(0, client.right - 2 * otherWidth);
}

void FileListRows::fill(NMLVDISPINFOW& request) const {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0 ||
        files_ == nullptr || item.iItem < 0 || static_cast<size_t>(item.iItem) >= files_->size()) {
        return;
    }
    const FileEntry& entry = (*files_)[static_cast<size_t>(item.iItem)];
    std::wstring text;
    switch (item.iSubItem) {
        case 0:
            text = entry.name;
            break;
        case 1:
            text = entry.type;
            break;
        case 2:
            if (entry.sizeBytes) {
                text = std::to_wstring(kilobytesRoundedHalfEven(*entry.sizeBytes));
            }
            break;
        default:
            break;
    }
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax) - 1);
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
}

void FileListRows::countRows() const {
    list_.setItemCount(files_ != nullptr ? static_cast<int>(files_->size()) : 0);
}

void FileListRows::insertRow(size_t, const FileEntry&) {
    if (batchDepth_ == 0) {
        countRows();
    }
}

void FileListRows::updateRow(size_t index, const FileEntry&) {
    if (batchDepth_ == 0) {
        list_.redrawItem(static_cast<int>(index));
    }
}

void FileListRows::removeRow(size_t) {
    if (batchDepth_ == 0) {
        countRows();
    }
}

void FileListRows::removeAllRows() {
    countRows();
}

}  // namespace tonvale
