#include "SettingsFile.h"

#include "SettingsFileIO.h"
#include "Utf8.h"
#include "SettingsTestFiles.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

using testing::readBytes;
using testing::settingsErrorMessage;
using testing::TempFolder;
using testing::writeBytes;

// The message must name the settings file and carry a reason without the system's full stop.
void expectMessageAbout(const std::wstring& message, std::wstring_view what,
                        const std::filesystem::path& file) {
    const std::wstring prefix = std::wstring(what) + L" \"" + file.wstring() + L"\". ";
    ASSERT_TRUE(message.starts_with(prefix)) << toUtf8(message);
    EXPECT_GT(message.size(), prefix.size()) << toUtf8(message);
    EXPECT_NE(message.back(), L'.') << toUtf8(message);
    EXPECT_NE(message.back(), L'\n') << toUtf8(message);
}

TEST(SettingsFileError, MessageNamesTheFileAndTrimsTheSystemReason) {
    const std::filesystem::path file = std::filesystem::path(L"dir") / L"Tonvale.ini";
    const auto quoted = L"\"" + file.wstring() + L"\". ";
    EXPECT_EQ(SettingsFileError::cannotOpen(file, L"Access is denied.\r\n").message(),
              L"Cannot open file " + quoted + L"Access is denied");
    EXPECT_EQ(SettingsFileError::cannotCreate(file, L"Sharing violation").message(),
              L"Cannot create file " + quoted + L"Sharing violation");
}

TEST(SettingsFile, MissingFileReadsEmptyAndSaveCreatesItEmpty) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    auto settings = SettingsFile::load(file);
    EXPECT_EQ(settings.path(), file);
    EXPECT_EQ(settings.readString(L"Options", L"InitialDir"), L"");
    EXPECT_EQ(settings.readString(L"Options", L"InitialDir", L"default"), L"default");
    settings.save();
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

TEST(SettingsFile, SaveRewritesTheFileFromWhatWasReadPlusChanges) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file,
               "; written by hand\nstray=1\n\n[Options]\n  InitialDir = C:\\Old \nRemark\n"
               "[Other]\n; note\nKey=Value");
    auto settings = SettingsFile::load(file);
    EXPECT_EQ(settings.readString(L"options", L"initialdir"), L"C:\\Old");
    settings.writeString(L"OPTIONS", L"INITIALDIR", L"C:\\Music");
    settings.writeString(L"Other", L"Added", L" padded ");
    settings.writeString(L"New", L"K", L"V");
    settings.save();

    EXPECT_EQ(readBytes(file),
              "[Options]\r\nInitialDir=C:\\Music\r\nRemark\r\n\r\n"
              "[Other]\r\nKey=Value\r\nAdded= padded \r\n\r\n"
              "[New]\r\nK=V\r\n\r\n");
    const auto reloaded = SettingsFile::load(file);
    EXPECT_EQ(reloaded.readString(L"Options", L"InitialDir"), L"C:\\Music");
    EXPECT_EQ(reloaded.readString(L"Other", L"Added"), L"padded");
    EXPECT_FALSE(std::filesystem::exists(stagingPathFor(file)));
}

TEST(SettingsFile, FileWithoutSectionsIsSavedEmpty) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "; nothing here\r\nKey=Value\r\n");
    SettingsFile::load(file).save();
    EXPECT_EQ(readBytes(file), "");
}

// In the code page or, when it lacks a character, as UTF-8: the file's bytes for each code page
// are checked where the code page is known.
TEST(SettingsFile, AnyValueSurvivesASaveAndLoad) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    const std::wstring folderName = L"C:\\\U0001F3B5 Music \u00E9\u0416";
    auto settings = SettingsFile::load(file);
    settings.writeString(L"Options", L"InitialDir", folderName);
    settings.save();
    EXPECT_EQ(SettingsFile::load(file).readString(L"Options", L"InitialDir"), folderName);
}

TEST(SettingsFile, FolderInPlaceOfTheFileCannotBeOpenedOrCreated) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    std::filesystem::create_directory(file);
    expectMessageAbout(settingsErrorMessage([&] { SettingsFile::load(file); }), L"Cannot open file",
                       file);

    std::filesystem::remove(file);
    const auto settings = SettingsFile::load(file);
    std::filesystem::create_directory(file);
    expectMessageAbout(settingsErrorMessage([&] { settings.save(); }), L"Cannot create file", file);
    EXPECT_FALSE(std::filesystem::exists(stagingPathFor(file)));
}

TEST(SettingsFile, FailedSaveNamesTheSettingsFileAndKeepsItsOldContents) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Options]\r\nInitialDir=C:\\Old\r\n\r\n");
    auto settings = SettingsFile::load(file);
    settings.writeString(L"Options", L"InitialDir", L"C:\\New");
    // The staging file cannot be created where a folder of that name stands.
    std::filesystem::create_directory(stagingPathFor(file));
    expectMessageAbout(settingsErrorMessage([&] { settings.save(); }), L"Cannot create file", file);
    EXPECT_EQ(readBytes(file), "[Options]\r\nInitialDir=C:\\Old\r\n\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(stagingPathFor(file)));
}

TEST(SettingsFile, SaveIntoAMissingFolderNamesTheSettingsFile) {
    const TempFolder folder;
    const auto file = folder / L"missing" / L"Tonvale.ini";
    const auto settings = SettingsFile::load(file);
    EXPECT_EQ(settings.readString(L"Options", L"InitialDir", L"none"), L"none");
    expectMessageAbout(settingsErrorMessage([&] { settings.save(); }), L"Cannot create file", file);
}

}  // namespace
}  // namespace tonvale
