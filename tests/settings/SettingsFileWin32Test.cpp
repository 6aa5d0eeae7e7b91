// Behaviour only Windows has: sharing violations, the ANSI code page, the module path. The
// tests run under the Western code page 1252, and those of a Japanese one under 932.
#include <windows.h>

#include <chrono>
#include <thread>
#include <vector>

#include "IniDocument.h"
#include "SettingsFile.h"
#include "SettingsFileIO.h"
#include "SettingsPaths.h"
#include "SettingsTestFiles.h"
#include "Utf8.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

using testing::readBytes;
using testing::settingsErrorMessage;
using testing::TempFolder;
using testing::writeBytes;

// Another program's handle on the file; sharing nothing, it is like an editor's exclusive lock.
class ForeignHandle {
  public:
    ForeignHandle(const std::filesystem::path& file, DWORD access, DWORD shareMode)
        : handle_(CreateFileW(file.c_str(), access, shareMode, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ForeignHandle(const ForeignHandle&) = delete;
    ForeignHandle& operator=(const ForeignHandle&) = delete;
    ~ForeignHandle() { release(); }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (valid()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE handle_;
};

// Wine's system messages are worded differently from Windows' own.
void expectMessageIsOneOf(const std::wstring& message, std::wstring_view what,
                          const std::filesystem::path& file,
                          const std::vector<std::wstring>& reasons) {
    const std::wstring prefix = std::wstring(what) + L" \"" + file.wstring() + L"\". ";
    bool matched = false;
    for (const auto& reason : reasons) {
        matched = matched || message == prefix + reason;
    }
    EXPECT_TRUE(matched) << toUtf8(message);
}

const std::vector<std::wstring> sharingViolation = {
    L"Sharing violation",
    L"The process cannot access the file because it is being used by another process"};

TEST(SettingsFileWin32, FileHeldOpenByAnotherProgramCannotBeOpened) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Options]\r\nInitialDir=C:\\\r\n");
    const ForeignHandle lock(file, GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(lock.valid());
    expectMessageIsOneOf(settingsErrorMessage([&] { SettingsFile::load(file); }),
                         L"Cannot open file", file, sharingViolation);
}

TEST(SettingsFileWin32, FileHeldOpenByAnotherProgramCannotBeCreatedAndStaysIntact) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Options]\r\nInitialDir=C:\\Old\r\n");
    auto settings = SettingsFile::load(file);
    settings.writeString(L"Options", L"InitialDir", L"C:\\New");
    ForeignHandle lock(file, GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(lock.valid());
    expectMessageIsOneOf(settingsErrorMessage([&] { settings.save(); }), L"Cannot create file",
                         file, sharingViolation);
    lock.release();
    EXPECT_EQ(readBytes(file), "[Options]\r\nInitialDir=C:\\Old\r\n");
    EXPECT_FALSE(std::filesystem::exists(stagingPathFor(file)));

    settings.save();
    EXPECT_EQ(SettingsFile::load(file).readString(L"Options", L"InitialDir"), L"C:\\New");
}

// An antivirus scanner or indexer holds a freshly written file for a moment: the save waits
// for it rather than fail.
TEST(SettingsFileWin32, ASaveOutlastsAProgramThatHoldsTheFileForHalfASecond) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Options]\r\nInitialDir=C:\\Old\r\n");
    auto settings = SettingsFile::load(file);
    settings.writeString(L"Options", L"InitialDir", L"C:\\New");
    ForeignHandle scanner(file, GENERIC_READ, 0);
    ASSERT_TRUE(scanner.valid());
    std::thread done([&scanner] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        scanner.release();
    });
    EXPECT_NO_THROW(settings.save());
    done.join();
    EXPECT_EQ(readBytes(file), "[Options]\r\nInitialDir=C:\\New\r\n\r\n");
}

TEST(SettingsFileWin32, SaveIntoAMissingFolderGivesTheSystemReason) {
    const TempFolder folder;
    const auto file = folder / L"missing" / L"Tonvale.ini";
    expectMessageIsOneOf(settingsErrorMessage([&] { SettingsFile::load(file).save(); }),
                         L"Cannot create file", file,
                         {L"Path not found", L"The system cannot find the path specified"});
}

TEST(SettingsFileWin32, ReadableWhileAnotherProgramReadsIt) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Options]\r\nInitialDir=C:\\Music\r\n");
    const ForeignHandle reader(file, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(reader.valid());
    EXPECT_EQ(SettingsFile::load(file).readString(L"Options", L"InitialDir"), L"C:\\Music");
}

template <UINT codePage>
class SettingsFileInCodePage : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(GetACP(), codePage) << "the run's locale sets it"; }
    // The file as it is after OK in the Options dialog stored `folder`.
    std::string storedAs(const std::string& bytes, const std::wstring& folder) {
        writeBytes(file_, bytes);
        auto settings = SettingsFile::load(file_);
        settings.writeString(L"Options", L"InitialDir", folder);
        settings.save();
        return readBytes(file_);
    }
    const TempFolder folder_;
    const std::filesystem::path file_ = folder_ / L"Tonvale.ini";
};
using SettingsFileWestern = SettingsFileInCodePage<1252>;
using SettingsFileJapanese = SettingsFileInCodePage<932>;

TEST_F(SettingsFileWestern, AccentedValueIsSavedAsOneAnsiByte) {
    auto settings = SettingsFile::load(file_);
    settings.writeString(L"Options", L"InitialDir", L"C:\\Caf\u00E9");
    settings.save();
    EXPECT_EQ(readBytes(file_), "[Options]\r\nInitialDir=C:\\Caf\xE9\r\n\r\n");
}

TEST_F(SettingsFileWestern, AnsiFileIsReadInTheCodePage) {
    writeBytes(file_, "[Options]\r\nInitialDir=C:\\Caf\xE9 \x80\r\n");
    EXPECT_EQ(SettingsFile::load(file_).readString(L"Options", L"InitialDir"),
              L"C:\\Caf\u00E9 \u20AC");
}

TEST_F(SettingsFileWestern, ValueOutsideTheCodePageTurnsTheWholeFileToUtf8) {
    const std::wstring cyrillic = L"C:\\\u041C\u0443\u0437\u044B\u043A\u0430";
    auto settings = SettingsFile::load(file_);
    settings.writeString(L"Caf\u00E9", L"K", L"\u00E9");
    settings.writeString(L"Options", L"InitialDir", cyrillic);
    settings.save();
    EXPECT_EQ(
        readBytes(file_),
        "\xEF\xBB\xBF[Caf\xC3\xA9]\r\nK=\xC3\xA9\r\n\r\n"
        "[Options]\r\nInitialDir=C:\\\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0\r\n\r\n");
    const auto reloaded = SettingsFile::load(file_);
    EXPECT_EQ(reloaded.readString(L"Options", L"InitialDir"), cyrillic);
    EXPECT_EQ(reloaded.readString(L"Caf\u00E9", L"K"), L"\u00E9");
}

// Notepad saves UTF-8 without a mark; other editors put one, or save UTF-16. Each file is
// read so and written back in its own form.
TEST_F(SettingsFileWestern, EachFileIsWrittenBackInTheFormItWasReadIn) {
    const std::wstring music = L"C:\\M\u00FCsik";
    writeBytes(file_, "[Options]\r\nInitialDir=C:\\Caf\xC3\xA9\r\n");
    EXPECT_EQ(SettingsFile::load(file_).readString(L"Options", L"InitialDir"), L"C:\\Caf\u00E9");
    EXPECT_EQ(storedAs("[Options]\r\nInitialDir=C:\\Caf\xC3\xA9\r\n", music),
              "[Options]\r\nInitialDir=C:\\M\xC3\xBCsik\r\n\r\n");
    EXPECT_EQ(storedAs("\xEF\xBB\xBF[Options]\r\nInitialDir=C:\\Old\r\n", L"C:\\New"),
              "\xEF\xBB\xBF[Options]\r\nInitialDir=C:\\New\r\n\r\n");
    EXPECT_EQ(storedAs("[Options]\r\nInitialDir=C:\\Caf\xE9\r\n", music),
              "[Options]\r\nInitialDir=C:\\M\xFCsik\r\n\r\n");
    EXPECT_EQ(storedAs("[Options]\r\nInitialDir=C:\\Old\r\n", music),
              "[Options]\r\nInitialDir=C:\\M\xFCsik\r\n\r\n")
        << "plain ASCII is the code page";
    using namespace std::string_literals;
    const std::string utf16 = "\xFF\xFE[\0O\0]\0\r\0\n\0"s;
    EXPECT_EQ(storedAs(utf16, music),
              "\xFF\xFE[\0O\0]\0\r\0\n\0\r\0\n\0[\0O\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0"
              "I\0n\0i\0t\0i\0a\0l\0D\0i\0r\0=\0C\0:\0\\\0M\0\xFC\0s\0i\0k\0\r\0\n\0\r\0\n\0"s);
}

// Double-byte code page bytes that are no UTF-8 stay in the code page; a file of UTF-8, whose
// bytes the code page would read as other characters, is read as UTF-8.
TEST_F(SettingsFileJapanese, ShiftJisStaysShiftJisAndUtf8IsReadAsUtf8) {
    // 音楽 ("music") in Shift-JIS, then in UTF-8.
    EXPECT_EQ(storedAs("[Options]\r\nInitialDir=C:\\\x89\xB9\x8A\x79\r\n", L"D:\\\u97F3\u697D"),
              "[Options]\r\nInitialDir=D:\\\x89\xB9\x8A\x79\r\n\r\n");
    writeBytes(file_, "[Options]\r\nInitialDir=C:\\\xE9\x9F\xB3\xE6\xA5\xBD\r\n");
    EXPECT_EQ(SettingsFile::load(file_).readString(L"Options", L"InitialDir"), L"C:\\\u97F3\u697D");
}

TEST(SettingsFileWin32, CurrentExecutableSettingsFileSitsBesideIt) {
    const auto exe = currentExecutablePath();
    EXPECT_TRUE(exe.is_absolute()) << exe;
    EXPECT_TRUE(std::filesystem::exists(exe)) << exe;
    EXPECT_EQ(exe.filename(), L"settings_win_tests.exe");
    EXPECT_EQ(settingsFilePathFor(exe), exe.parent_path() / L"settings_win_tests.ini");
}

}  // namespace
}  // namespace tonvale
