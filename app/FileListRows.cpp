#include "FileListRows.h"

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

void FileListRows::insertRow(size_t index, const FileEntry& entry) {
    list_.insertItem(static_cast<int>(index), entry.name);
    updateRow(index, entry);
}

void FileListRows::updateRow(size_t index, const FileEntry& entry) {
    const int row = static_cast<int>(index);
    list_.setItemText(row, 0, entry.name);
    list_.setItemText(row, 1, entry.type);
    list_.setItemText(row, 2,
                      entry.sizeBytes ? std::to_wstring(kilobytesRoundedHalfEven(*entry.sizeBytes))
                                      : std::wstring());
}

void FileListRows::removeRow(size_t index) {
    list_.deleteItem(static_cast<int>(index));
}

void FileListRows::removeAllRows() {
    list_.deleteAllItems();
}

}  // namespace tonvale
