// The files chosen for the next upload, kept in ascending order of their names, one entry a
// name: the phone's file system ignores case, so the list does too, matching names as Windows
// matches file names. The list view follows the model through FileListView, row for row.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "FileEntry.h"

namespace tonvale {

// Negative, zero or positive as `a` sorts before, with or after `b`.
using Collation = std::function<int(std::wstring_view a, std::wstring_view b)>;

#ifdef _WIN32
// The user's locale collation with case taken into account, as the system compares names.
Collation localeCollation();
// The same collation with case ignored, as the list view matches typed letters.
Collation localeCollationIgnoringCase();
#endif

// What shows the list: a row per entry, at the entry's index.
class FileListView {
  public:
    virtual ~FileListView() = default;
    virtual void insertRow(size_t index, const FileEntry& entry) = 0;
    virtual void updateRow(size_t index, const FileEntry& entry) = 0;
    virtual void removeRow(size_t index) = 0;
    virtual void removeAllRows() = 0;
};

class FileList {
  public:
    FileList(Collation collation, FileListView* view);

    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const FileEntry& operator[](size_t index) const { return *entries_[index]; }

    // Whether an entry has this name, case ignored.
    bool holdsName(std::wstring_view name) const;
    // The index of the entry with this id; nothing once it has left the list.
    std::optional<size_t> indexOf(uint64_t id) const;

    // Adds an entry in its place by name, gives it its id and returns its index; nothing, and
    // no entry, when the list holds its name already.
    std::optional<size_t> add(FileEntry entry);
    void setSize(size_t index, int64_t bytes);
    // Gives an entry a new name, which takes its place in the order; returns its new index, or
    // nothing when another entry holds the name. The entry may change the case of its own. The
    // caller has checked the name with whyNameIsRefused().
    std::optional<size_t> rename(size_t index, std::wstring name);
    void clear();

    // Type-ahead: the first entry from `start` on whose name begins with `typed` (or, with
    // `wholeName`, is `typed`), going round to the top when `wrap` is set; names are compared
    // by `same` (zero when equal).
    std::optional<size_t> findStartingWith(std::wstring_view typed, size_t start, bool wrap,
                                           const Collation& same, bool wholeName = false) const;

  private:
    size_t placeFor(std::wstring_view name) const;
    size_t insert(std::unique_ptr<FileEntry> entry);

    Collation collation_;
    FileListView* view_;
    uint64_t lastId_ = 0;
    // Every listed name in upper case, so that a name is found among thousands at once.
    std::unordered_set<std::wstring> names_;
    // Held by pointer: an entry added in the middle of thousands moves pointers, not names
    // and paths. Each insertion still moves the pointers after it; finding the place takes
    // log n comparisons.
    std::vector<std::unique_ptr<FileEntry>> entries_;
};

// Why `name` cannot be a file's name on the phone, as a line for the log; nothing when it can.
// The phone path is the folder followed directly by the name, so a name with a folder
// separator would write outside the category's folder.
std::optional<std::wstring> whyNameIsRefused(std::wstring_view name);

}  // namespace tonvale
