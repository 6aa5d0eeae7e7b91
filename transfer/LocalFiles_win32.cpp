#include <windows.h>

#include <limits>

#include "KernelHandles.h"
#include "LocalFiles.h"
#include "RuntimeError.h"

namespace tonvale {

namespace {

// Read-only, and others may read it meanwhile; a file another program is writing is refused
// with the system's sharing violation, which the runtime reports as "I/O error 32".
OwnedKernelHandle openForReading(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw ioError(static_cast<int>(GetLastError()));
    }
    return OwnedKernelHandle(file);
}

int64_t lengthOf(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        throw ioError(static_cast<int>(GetLastError()));
    }
    return size.QuadPart;
}

}  // namespace

// The length is asked of the open handle, which is the file the upload will read. On Windows,
// GetFileAttributesExW describes a symbolic link itself, not the file it points to, and a
// chosen file may be one.
int64_t WindowsLocalFiles::sizeOf(const std::wstring& path) {
    const OwnedKernelHandle file = openForReading(path);
    return lengthOf(file.get());
}

void WindowsLocalFiles::load(const std::wstring& path, Contents& contents) {
    FileToByteArray(path, contents);
}

void FileToByteArray(const std::wstring& path, Contents& contents) {
    const OwnedKernelHandle file = openForReading(path);
    const int64_t length = lengthOf(file.get());
    if (length > static_cast<int64_t>(contents.max_size()) ||
        static_cast<uint64_t>(length) > std::numeric_limits<size_t>::max()) {
        throw RuntimeError(L"Out of memory");
    }
    // One buffer exactly as long as the file. A buffer too small for it, or more than twice too
    // big, goes before the new one is made, so that two files are never held at once and a big
    // file's buffer does not outlive it; otherwise it is kept: a run of like files then spares
    // the system handing out fresh pages for every file. Nothing is zero-filled: the file is
    // read over the bytes at once, and only the bytes read are kept.
    const auto needed = static_cast<size_t>(length);
    if (needed > contents.capacity() || needed < contents.capacity() / 2) {
        contents.clear();
        contents.shrink_to_fit();
    }
    try {
        contents.resize(needed);
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
