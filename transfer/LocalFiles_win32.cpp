#include <windows.h>

#include <limits>
#include <memory>

#include "LocalFiles.h"
#include "RuntimeError.h"

namespace tonvale {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedFile = std::unique_ptr<void, HandleCloser>;

// Read-only, and others may read it meanwhile; a file another program is writing is refused
// with the system's sharing violation, which the runtime reports as "I/O error 32".
OwnedFile openForReading(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw ioError(static_cast<int>(GetLastError()));
    }
    return OwnedFile(file);
}

int64_t lengthOf(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        throw ioError(static_cast<int>(GetLastError()));
    }
    return size.QuadPart;
}

}  // namespace

int64_t WindowsLocalFiles::sizeOf(const std::wstring& path) {
    return lengthOf(openForReading(path).get());
}

void WindowsLocalFiles::load(const std::wstring& path, std::vector<unsigned char>& contents) {
    FileToByteArray(path, contents);
}

void FileToByteArray(const std::wstring& path, std::vector<unsigned char>& contents) {
    const OwnedFile file = openForReading(path);
    const int64_t length = lengthOf(file.get());
    if (length > static_cast<int64_t>(contents.max_size()) ||
        static_cast<uint64_t>(length) > std::numeric_limits<size_t>::max()) {
        throw RuntimeError(L"Out of memory");
    }
    // One buffer exactly as long as the file: the old contents go first, so that two files are
    // never held at once.
    contents.clear();
    contents.shrink_to_fit();
    try {
        contents.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
        throw RuntimeError(L"Out of memory");
    }
    size_t filled = 0;
    while (filled < contents.size()) {
        const size_t wanted = std::min<size_t>(contents.size() - filled, 1u << 24);
        DWORD read = 0;
        if (!ReadFile(file.get(), contents.data() + filled, static_cast<DWORD>(wanted), &read,
                      nullptr)) {
            throw ioError(static_cast<int>(GetLastError()));
        }
        if (read == 0) {
            break;  // the file ended early: it shrank since it was measured
        }
        filled += read;
    }
    contents.resize(filled);
}

}  // namespace tonvale
