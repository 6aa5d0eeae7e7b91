// The floor of an upload: what any program must do to upload files through this contract, and
// nothing else. No window: it loads each file whole into one buffer that is kept from file to
// file, and writes it through the p2kapi.dll beside it in the pieces and with the calls the
// upload makes: the pointer reset and the connected check, the two counts, then for each file
// delete, create, writes of at most 65,535 bytes and close, and the two counts again.
//
//   bench_floor_upload <folder>
// waits for the phone to attach; then, for each line read, uploads the folder's files in the
// order of their names into the phone's picture folder and prints the seconds it took, or a
// line beginning "x" when it could not.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "p2kapi.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kLargestWrite = 65535;

// Grows without filling: each file is read over it at once.
struct Buffer {
    std::unique_ptr<unsigned char[]> bytes;
    size_t capacity = 0;
    void reserve(size_t size) {
        if (size > capacity) {
            bytes.reset(new unsigned char[size]);
            capacity = size;
        }
    }
};

bool load(const fs::path& file, Buffer& buffer, size_t& size) {
    HANDLE in = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER length{};
    bool read = GetFileSizeEx(in, &length) != FALSE;
    size = static_cast<size_t>(length.QuadPart);
    buffer.reserve(size);
    for (size_t done = 0; read && done < size;) {
        DWORD got = 0;
        const DWORD asked = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
        read = ReadFile(in, buffer.bytes.get() + done, asked, &got, nullptr) && got == asked;
        done += got;
    }
    CloseHandle(in);
    return read;
}

void countFiles() {
    File_Count();
    File_Count();
}

// One upload of `files`; prints its seconds and returns nothing, or returns what failed.
const char* upload(const std::vector<fs::path>& files, Buffer& buffer) {
    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&start);
    File_SetPointer(0, 0);
    P2K_GetStatus();
    countFiles();
    for (const fs::path& file : files) {
        size_t size = 0;
        if (!load(file, buffer, size)) {
            return "a file cannot be read";
        }
        const std::string phonePath = "/a/mobile/picture/" + file.filename().string();
        File_Delete(phonePath.c_str());
        if (File_Create(phonePath.c_str(), 0) == -1) {
            return "a phone file cannot be created";
        }
        size_t written = 0;
        do {
            const size_t piece = std::min(size - written, kLargestWrite);
            if (File_Write(buffer.bytes.get() + written, static_cast<uint32_t>(piece)) != 0) {
                return "a write failed";
            }
            written += piece;
        } while (written < size);
        File_Close();
    }
    countFiles();
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    std::printf("%.6f\n", static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_floor_upload <folder>\n");
        return 2;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    P2K_Init(nullptr);
    for (int waited = 0; P2K_GetStatus() != 1; ++waited) {
        if (waited == 3000) {
            std::fprintf(stderr, "bench_floor_upload: the phone did not attach\n");
            return 1;
        }
        Sleep(10);
    }

    char request[64];
    Buffer buffer;
    while (std::fgets(request, sizeof request, stdin) != nullptr) {
        const char* failure = upload(files, buffer);
        if (failure != nullptr) {
            std::printf("x %s\n", failure);
        }
        std::fflush(stdout);
    }
    return 0;
}
