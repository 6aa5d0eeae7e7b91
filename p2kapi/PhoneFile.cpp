#include "PhoneFile.h"

#include <windows.h>

#include <algorithm>

namespace p2kapi {
namespace {

// The phone takes data in pieces; so do we, which also keeps every WriteFile call modest.
constexpr uint32_t kPieceBytes = 64 * 1024;

}  // namespace

std::optional<PhoneFile> PhoneFile::create(const std::wstring& hostPath, int64_t& replacedBytes) {
    // Others may read the file while it is written (the tests do), but not change or remove it.
    // Opened, measured and then emptied: the name is looked up once, which under Wine means a
    // pass over the whole folder when no file has the name yet.
    tonvale::OwnedKernelHandle handle(
        ::CreateFileW(hostPath.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!::GetFileSizeEx(handle.get(), &size) || !::SetEndOfFile(handle.get())) {
            return std::nullopt;
        }
    }
    replacedBytes = size.QuadPart;
    return PhoneFile(std::move(handle), hostPath);
}

bool PhoneFile::append(const void* data, uint32_t length) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    uint32_t done = 0;
    while (done < length) {
        const DWORD piece = std::min(kPieceBytes, length - done);
        DWORD written = 0;
        if (!::WriteFile(handle_.get(), bytes + done, piece, &written, nullptr) ||
            written != piece) {
            truncateTo(size_);
            return false;
        }
        done += piece;
    }
    size_ += length;
    return true;
}

bool PhoneFile::truncateTo(int64_t size) {
    LARGE_INTEGER position;
    position.QuadPart = size;
    return ::SetFilePointerEx(handle_.get(), position, nullptr, FILE_BEGIN) &&
           ::SetEndOfFile(handle_.get());
}

}  // namespace p2kapi
