// Test helpers shared by every test folder: a fresh folder per test and whole-file byte access.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
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

inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << file;
}

inline std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in.good()) << file;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tonvale::testing
