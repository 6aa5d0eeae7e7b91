// Test helpers shared by every test folder: a fresh folder per test and whole-file byte access.
#pragma once

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace tonvale::testing {

class TempFolder {
  public:
    TempFolder() : path_(uniquePath()) { std::filesystem::create_directories(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::wstring_view name) const { return path_ / name; }

  private:
    // Test cases may run in parallel processes: the test's name and the clock keep them apart.
    static std::filesystem::path uniquePath() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        return std::filesystem::temp_directory_path() /
               (std::string("tonvale-test-") + test->test_suite_name() + "-" + test->name() + "-" +
                std::to_string(ticks));
    }

    std::filesystem::path path_;
};

// Through the C library's wide-character open on Windows: the streams of MinGW's C++ library
// take a path's 8-bit form, which loses names outside the code page.
inline std::FILE* openFile(const std::filesystem::path& file, bool forWriting) {
#ifdef _WIN32
    return _wfopen(file.c_str(), forWriting ? L"wb" : L"rb");
#else
    return std::fopen(file.c_str(), forWriting ? "wb" : "rb");
#endif
}

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::FILE* out = openFile(file, true);
    ASSERT_NE(out, nullptr) << file;
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), out);
    const bool closed = std::fclose(out) == 0;
    ASSERT_TRUE(written == bytes.size() && closed) << file;
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::FILE* in = openFile(file, false);
    EXPECT_NE(in, nullptr) << file;
    std::string bytes;
    if (in != nullptr) {
        char buffer[65536];
        size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
            bytes.append(buffer, read);
        }
        std::fclose(in);
    }
    return bytes;
}

}  // namespace tonvale::testing
