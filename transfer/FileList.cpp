#include "FileList.h"

#include <algorithm>
#include <utility>

#include "NameMatching.h"

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

bool FileList::holdsName(std::wstring_view name) const {
    return names_.contains(nameForMatching(name));
}

std::optional<size_t> FileList::indexOf(uint64_t id) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [id](const auto& entry) { return entry->id == id; });
    if (found == entries_.end()) {
        return std::nullopt;
    }
    return static_cast<size_t>(found - entries_.begin());
}

std::optional<size_t> FileList::add(FileEntry entry) {
    if (!names_.insert(nameForMatching(entry.name)).second) {
        return std::nullopt;
    }
    entry.id = ++lastId_;
    return insert(std::make_unique<FileEntry>(std::move(entry)));
}

size_t FileList::insert(std::unique_ptr<FileEntry> entry) {
    const size_t index = placeFor(entry->name);
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
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

std::optional<size_t> FileList::rename(size_t index, std::wstring name) {
    std::wstring oldName = nameForMatching(entries_[index]->name);
    std::wstring newName = nameForMatching(name);
    if (newName != oldName && names_.contains(newName)) {
        return std::nullopt;
    }
    names_.erase(oldName);
    names_.insert(std::move(newName));
    std::unique_ptr<FileEntry> entry = std::move(entries_[index]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    if (view_ != nullptr) {
        view_->removeRow(index);
    }
    entry->name = std::move(name);
    return insert(std::move(entry));
}

void FileList::clear() {
    entries_.clear();
    names_.clear();
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
