#include "StartingFolder.h"

#include <gtest/gtest.h>

#include "SettingsFileError.h"
#include "TestFiles.h"

namespace tonvale {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(StartingFolder, StoringKeepsTheTypedTextAndTheOtherSettings) {
    const TempFolder folder;
    const auto file = folder / L"Tonvale.ini";
    writeBytes(file, "[Window]\r\nLeft=3\r\n[Options]\r\nInitialDir=C:\\Old\r\n");
    storeStartingFolder(file, L" D:\\Ring tones\\ ");
    EXPECT_EQ(readBytes(file),
              "[Window]\r\nLeft=3\r\n\r\n[Options]\r\nInitialDir= D:\\Ring tones\\ \r\n\r\n");

    std::wstring applied = L"unset";
    loadStartingFolder(file, [&](const std::wstring& start) { applied = start; });
    EXPECT_EQ(applied, L"D:\\Ring tones") << "trimmed and without its trailing backslash";
}

TEST(StartingFolder, WhatTheNextStartReadsBackOfAFolderAboutToBeStored) {
    EXPECT_EQ(startingFolderAsReadBack(L" D:\\Ring tones\\ "), L"D:\\Ring tones");
    EXPECT_EQ(startingFolderAsReadBack(L"\tC:\\"), L"C:\\");
    EXPECT_EQ(startingFolderAsReadBack(L""), L"");
}

TEST(StartingFolder, AFailedSaveAtStartLeavesTheFolderApplied) {
    const TempFolder folder;
    const auto file = folder / L"no such folder" / L"Tonvale.ini";
    std::wstring applied = L"unset";
    EXPECT_THROW(loadStartingFolder(file, [&](const std::wstring& start) { applied = start; }),
                 SettingsFileError);
    EXPECT_EQ(applied, L"");
    EXPECT_THROW(storeStartingFolder(file, L"C:\\Music"), SettingsFileError);
}

}  // namespace
}  // namespace tonvale
