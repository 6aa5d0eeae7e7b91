#include "FileListRows.h"

#include <algorithm>
#include <string>

#include "win/ControlProcedure.h"
#include "win/Dpi.h"

namespace tonvale {

namespace {

constexpr int kOtherColumnsWidth = 50;

// The name column takes what the other two leave of the client area.
void fillWithNameColumn(HWND list) {
    if (Header_GetItemCount(ListView_GetHeader(list)) != 3) {
        return;
    }
    const win::ListViewControl view(list);
    RECT client{};
    GetClientRect(list, &client);
    const int others = view.columnWidth(1) + view.columnWidth(2);
    view.setColumnWidth(0, std::max(0, static_cast<int>(client.right) - others));
}

// The client area changes with the window and with the list's own scroll bars: a vertical bar
// that comes with more rows than fit would otherwise push the sizes behind a horizontal one.
LRESULT CALLBACK nameColumnFillsProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = win::callOwnProcedure(list, message, wParam, lParam);
    if (message == WM_SIZE) {
        fillWithNameColumn(list);
    }
    return result;
}

}  // namespace

void FileListRows::addColumns(int dpi) {
    list_.addColumn(0, L"File(s)", win::scaleForDpi(100, dpi));
    list_.addColumn(1, L"Type", win::scaleForDpi(kOtherColumnsWidth, dpi));
    list_.addColumn(2, L"Size", win::scaleForDpi(kOtherColumnsWidth, dpi));
    scaleColumns(dpi);
    win::putProcedureInFront(list_.handle(), &nameColumnFillsProcedure);
}

void FileListRows::scaleColumns(int dpi) const {
    if (list_.handle() == nullptr) {
        return;
    }
    const int otherWidth = win::scaleForDpi(kOtherColumnsWidth, dpi);
    list_.setColumnWidth(1, otherWidth);
    list_.setColumnWidth(2, otherWidth);
    fillWithNameColumn(list_.handle());
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

LRESULT FileListRows::find(const NMLVFINDITEMW& request) const {
    const LVFINDINFOW& what = request.lvfi;
    if (files_ == nullptr || (what.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 ||
        what.psz == nullptr) {
        return -1;
    }
    static const Collation same = localeCollationIgnoringCase();
    const auto found = files_->findStartingWith(
        what.psz, static_cast<size_t>(std::max(request.iStart, 0)), (what.flags & LVFI_WRAP) != 0,
        same, (what.flags & LVFI_PARTIAL) == 0);
    return found ? static_cast<LRESULT>(*found) : -1;
}

}  // namespace tonvale
