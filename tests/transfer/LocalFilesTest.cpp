// Measuring and reading the computer's own files, with the runtime's messages for failures.
#include <windows.h>

#include <gtest/gtest.h>

#include "LocalFiles.h"
#include "RuntimeError.h"
#include "TestFiles.h"

namespace tonvale::testing {
namespace {

std::wstring messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.message();
    }
    return L"(no failure)";
}

TEST(LocalFiles, LoadsExactlyTheFileAndClosesIt) {
    const TempFolder folder;
    const auto big = folder / L"big.3gp";
    std::string bytes(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i % 253);
    }
    writeBytes(big, bytes);
    writeBytes(folder / L"empty.mid", "");
    WindowsLocalFiles files;
    EXPECT_EQ(files.sizeOf(big.wstring()), static_cast<int64_t>(bytes.size()));

    Contents contents;
    FileToByteArray(big.wstring(), contents);
    EXPECT_EQ(std::string(contents.begin(), contents.end()), bytes);
    FileToByteArray((folder / L"empty.mid").wstring(), contents);
    EXPECT_TRUE(contents.empty()) << "the buffer is exactly as long as the file";

    // Closed after use: nothing holds it now.
    HANDLE exclusive =
        CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
}

TEST(LocalFiles, EachLoadHoldsExactlyItsOwnFileWhateverCameBefore) {
    const TempFolder folder;
    std::string first(300000, 'a');
    std::string second(200000, '\0');
    for (size_t i = 0; i < second.size(); ++i) {
        second[i] = static_cast<char>(i % 251);
    }
    writeBytes(folder / L"first.3gp", first);
    writeBytes(folder / L"second.3gp", second);
    writeBytes(folder / L"third.mid", "MThd");

    Contents contents;
    FileToByteArray((folder / L"first.3gp").wstring(), contents);
    // Shorter than the one before, but not by half: nothing of the first may be left over.
    FileToByteArray((folder / L"second.3gp").wstring(), contents);
    EXPECT_TRUE(std::string(contents.begin(), contents.end()) == second);
    FileToByteArray((folder / L"third.mid").wstring(), contents);
    EXPECT_EQ(std::string(contents.begin(), contents.end()), "MThd");
    FileToByteArray((folder / L"first.3gp").wstring(), contents);
    EXPECT_TRUE(std::string(contents.begin(), contents.end()) == first);
}

TEST(LocalFiles, ReadOnlyFilesAreReadAndFailuresCarryTheRuntimesMessages) {
    const TempFolder folder;
    const auto file = folder / L"ring.mid";
    writeBytes(file, "MThd");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    WindowsLocalFiles files;
    EXPECT_EQ(files.sizeOf(file.wstring()), 4);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    Contents contents;
    EXPECT_EQ(messageOf([&] { files.sizeOf((folder / L"gone.mid").wstring()); }),
              L"File not found");
    EXPECT_EQ(messageOf([&] { files.load((folder / L"no" / L"x.mid").wstring(), contents); }),
              L"Invalid filename");
    // Another program writing the file holds it locked.
    HANDLE writer = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(messageOf([&] { files.load(file.wstring(), contents); }), L"I/O error 32");
    CloseHandle(writer);
}

}  // namespace
}  // namespace tonvale::testing
