#include "PhoneFixture.h"

#include <windows.h>

#include <fstream>

void PhoneTest::SetUp() {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH + 1, temp));
    LARGE_INTEGER tick;
    ::QueryPerformanceCounter(&tick);
    base_ = fs::path(temp) / (L"p2kapi-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                              std::to_wstring(tick.QuadPart));
    fs::create_directories(base_);
    root_ = base_ / L"root";
    resetPhone(true);
}

void PhoneTest::TearDown() {
    // Closes the open phone file and keeps the phone from attaching during the clean-up.
    P2KTest_Detach();
    std::error_code ignored;
    fs::remove_all(base_, ignored);
}

void PhoneTest::resetPhone(bool attached, unsigned attachDelayMs, unsigned restartDelayMs,
                           int64_t capacityBytes, const char* label) {
    P2KTest_Reset(root_.c_str(), label, capacityBytes, attached ? 1 : 0, attachDelayMs,
                  restartDelayMs);
}

fs::path PhoneTest::hostPath(const std::string& phonePath) const {
    return root_ / fs::path(phonePath.substr(3)).make_preferred();
}

int64_t hostBytes(const fs::path& folder) {
    int64_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            bytes += static_cast<int64_t>(entry.file_size());
        }
    }
    return bytes;
}

int hostFileCount(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    return count;
}

std::map<fs::path, uintmax_t> snapshot(const fs::path& folder) {
    std::map<fs::path, uintmax_t> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        entries[entry.path()] = entry.is_regular_file() ? entry.file_size() : 0;
    }
    return entries;
}

std::vector<unsigned char> readHostFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void writeHostFile(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary);
    out << content;
}

std::vector<unsigned char> pattern(size_t size, unsigned seed) {
    std::vector<unsigned char> bytes(size);
    unsigned state = seed;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

std::string callLog() {
    const int length = P2KTest_CallLog(nullptr, 0);
    std::string log(static_cast<size_t>(length) + 1, '\0');
    P2KTest_CallLog(log.data(), length + 1);
    log.resize(static_cast<size_t>(length));
    return log;
}

bool isOpenElsewhere(const fs::path& file) {
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION;
    }
    ::CloseHandle(handle);
    return false;
}
