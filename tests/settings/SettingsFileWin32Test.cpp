// Behaviour only Windows has: sharing violations, the ANSI code page, the module path.
#include <windows.h>

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

class SettingsFileWestern : public ::testing::Test {
  protected:
    void SetUp() override {
        if (GetACP() != 1252) {
            GTEST_SKIP() << "expects the Windows-1252 code page, not " << GetACP();
        }
    }
    const TempFolder folder_;
    const std::filesystem::path file_ = folder_ / L"Tonvale.ini";
};

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

TEST(SettingsFileWin32, CurrentExecutableSettingsFileSitsBesideIt) {
    const auto exe = currentExecutablePath();
    EXPECT_TRUE(exe.is_absolute()) << exe;
    EXPECT_TRUE(std::filesystem::exists(exe)) << exe;
    EXPECT_EQ(exe.filename(), L"settings_win_tests.exe");
    EXPECT_EQ(settingsFilePathFor(exe), exe.parent_path() / L"settings_win_tests.ini");
}

}  // namespace
}  // namespace tonvale
