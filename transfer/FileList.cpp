#include "FileList.h"

#include <utility>

namespace tonvale {

FileList::FileList(Collation collation, FileListView* view)
    : collation_(std::move(collation)), view_(view) {}

size_t FileList::placeFor(std::wstring_view name) const {
    // After every entry that does not sort after it: equal names keep the order they came in.
    size_t low = 0;
    size_t high = entries_.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (collation_(name, entries_[middle]->name) < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

size_t FileList::add(FileEntry entry) {
    const size_t index = placeFor(entry.name);
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index),
                    std::make_unique<FileEntry>(std::move(entry)));
    if (view_ != nullptr) {
        view_->insertRow(index, *entries_[index]);
    }
    return index;
}

void FileList::setSize(size_t index, int64_t bytes) {
    entries_[index]->sizeBytes = bytes;
    if (view_ != nullptr) {
        view_->updateRow(index, *entries_[index]);
    }
}

size_t FileList::rename(size_t index, std::wstring name) {
    FileEntry entry = std::move(*entries_[index]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    if (view_ != nullptr) {
        view_->removeRow(index);
    }
    entry.name = std::move(name);
    return add(std::move(entry));
}

void FileList::clear() {
    entries_.clear();
    if (view_ != nullptr) {
        view_->removeAllRows();
    }
}

std::optional<std::wstring> whyNameIsRefused(std::wstring_view name) {
    const std::wstring quoted = L"\"" + std::wstring(name) + L"\"";
    if (name.empty()) {
        return L"Name not changed: a file on the phone needs a name";
    }
    for (wchar_t c : name) {
        if (c == L'/' || c == L'\\' || c == L':') {
            return L"Name not changed: " + quoted + L" holds \"" + std::wstring(1, c) +
                   L"\", which a file name on the phone cannot hold";
        }
        if (c < 0x20 || c == 0x7F) {
            return L"Name not changed: " + quoted +
                   L" holds a control character, which a file name on the phone cannot hold";
        }
    }
    return std::nullopt;
}

std::optional<size_t> FileList::findStartingWith(std::wstring_view typed, size_t start, bool wrap,
                                                 const Collation& same, bool wholeName) const {
    const size_t count = entries_.size();
    const size_t steps = wrap ? count : (start < count ? count - start : 0);
    for (size_t step = 0; step < steps; ++step) {
        const size_t index = (start + step) % count;
        const std::wstring_view name = entries_[index]->name;
        const std::wstring_view compared = wholeName ? name : name.substr(0, typed.size());
        if (name.size() >= typed.size() && same(compared, typed) == 0) {
            return index;
        }
    }
    return std::nullopt;
}

}  // namespace tonvale
