#include "StoredOptions.h"

#include <gtest/gtest.h>

#include "SettingsFileError.h"
#include "TestFiles.h"

namespace tonvale {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

StoredOptions loaded(const std::filesystem::path& file) {
    StoredOptions options{L"unset", {}};
    loadStoredOptions(file, [&](const StoredOptions& read) { options = read; });
    return options;
}

TEST(StoredOptions, StoringKeepsTheTypedFolderAndTheOtherSettings) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Window]\r\nLeft=3\r\n[Options]\r\nInitialDir=C:\\Old\r\n");
    storeOptions(file, L" D:\\Ring tones\\ ", {true, 240, 320});
    EXPECT_EQ(readBytes(file),
              "[Window]\r\nLeft=3\r\n\r\n[Options]\r\nInitialDir= D:\\Ring tones\\ \r\n"
              "FitPictures=1\r\nScreenWidth=240\r\nScreenHeight=320\r\n\r\n");
    const StoredOptions options = loaded(file);
    EXPECT_EQ(options.startingFolder, L"D:\\Ring tones") << "trimmed, without its backslash";
    EXPECT_EQ(options.pictures, (PictureOptions{true, 240, 320}));
}

// A picture value the file cannot vouch for reads as its default: off, 176 by 220.
TEST(StoredOptions, APictureValueMissingOrOutOfRangeIsItsDefault) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Options]\r\nFitPictures=yes\r\nScreenWidth=15\r\nScreenHeight=4097\r\n");
    EXPECT_EQ(loaded(file).pictures, (PictureOptions{false, 176, 220}));
    writeBytes(file, "[options]\r\nfitpictures=1\r\nScreenWidth= 4096 \r\nScreenHeight=16\r\n");
    EXPECT_EQ(loaded(file).pictures, (PictureOptions{true, 4096, 16}));
    writeBytes(file, "[Options]\r\nFitPictures=2\r\nScreenWidth=1e3\r\nScreenHeight=-200\r\n");
    EXPECT_EQ(loaded(file).pictures, (PictureOptions{false, 176, 220}));
    EXPECT_EQ(screenSide(L"0176"), 176);
    EXPECT_EQ(screenSide(L""), std::nullopt);
    EXPECT_EQ(screenSide(L"99999"), std::nullopt);
}

TEST(StoredOptions, WhatTheNextStartReadsBackOfAFolderAboutToBeStored) {
    EXPECT_EQ(startingFolderAsReadBack(L" D:\\Ring tones\\ "), L"D:\\Ring tones");
    EXPECT_EQ(startingFolderAsReadBack(L"\tC:\\"), L"C:\\");
    EXPECT_EQ(startingFolderAsReadBack(L""), L"");
}

TEST(StoredOptions, AFailedSaveAtStartLeavesTheOptionsApplied) {
    const TempFolder folder;
    const auto file = folder / L"no such folder" / L"Tonvale.ini";
    StoredOptions options{L"unset", {}};
    EXPECT_THROW(loadStoredOptions(file, [&](const StoredOptions& read) { options = read; }),
                 SettingsFileError);
    EXPECT_EQ(options.startingFolder, L"");
    EXPECT_THROW(storeOptions(file, L"C:\\Music", {}), SettingsFileError);
}

}  // namespace
}  // namespace tonvale
