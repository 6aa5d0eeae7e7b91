#include "FileEntry.h"

namespace tonvale {

FileEntry entryForPath(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    return FileEntry{
        std::wstring(name),
        dot == std::wstring_view::npos ? std::wstring() : std::wstring(name.substr(dot)),
        std::wstring(path), std::nullopt, 0};
}

int64_t kilobytesRoundedHalfEven(int64_t bytes) {
    int64_t whole = bytes / 1024;
    int64_t rest = bytes % 1024;
    if (rest < 0) {
        rest += 1024;
        --whole;
    }
    if (rest > 512 || (rest == 512 && whole % 2 != 0)) {
        ++whole;
    }
    return whole;
}

}  // namespace tonvale
