// The five media categories: each fixes the phone folder that uploads write into and the type
// filter that the file-open dialog offers.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tonvale {

struct FileFilterEntry {
    std::wstring_view text;      // shown in the dialog's type box
    std::wstring_view patterns;  // file-name patterns separated by ";"
};

struct MediaCategory {
    std::wstring_view caption;
    std::wstring_view phoneFolder;  // a phone path ending in "/"
    std::span<const FileFilterEntry> filter;
};

// In tab order.
std::span<const MediaCategory> mediaCategories();

// The filter as the file-open dialog takes it: text and patterns, each zero-terminated, in
// order, and one more zero at the end.
std::wstring dialogFilterString(std::span<const FileFilterEntry> filter);

}  // namespace tonvale
