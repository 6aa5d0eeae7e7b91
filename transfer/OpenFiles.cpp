#include "OpenFiles.h"

namespace tonvale {

std::wstring openFiles(const std::vector<std::wstring>& selection, FileList& list,
                       LocalFiles& files, TransferView& view) {
    int64_t added = 0;
    int64_t selectionBytes = 0;
    int64_t selectionKilobytes = 0;
    for (const std::wstring& path : selection) {
        FileEntry entry = entryForPath(path);
        // One name, one phone file: a second file of a listed name would overwrite the first.
        if (list.holdsName(entry.name)) {
            view.appendLog(entry.name + L" is already in the list");
            continue;
        }
        const size_t index = *list.add(std::move(entry));
        view.appendLog(L"Opened file: " + path);
        const int64_t bytes = files.sizeOf(path);
        list.setSize(index, bytes);
        ++added;
        selectionBytes += bytes;
        // The rounded kilobytes of each file, as the list shows them, add up to the total.
        selectionKilobytes += kilobytesRoundedHalfEven(bytes);
    }
    view.appendLog(L"Total: " + std::to_wstring(added) + L" files opened");
    view.appendLog(L"Total size: " + std::to_wstring(selectionKilobytes) + L" Kbytes");
    view.resetProgress();
    return std::to_wstring(selectionBytes);
}

}  // namespace tonvale
