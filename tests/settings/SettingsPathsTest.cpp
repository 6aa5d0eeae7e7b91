#include "SettingsPaths.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

TEST(SettingsPaths, NormalizeInitialDirDropsATrailingBackslashExceptAfterADrive) {
    EXPECT_EQ(normalizeInitialDir(L"C:\\Music\\"), L"C:\\Music");
    EXPECT_EQ(normalizeInitialDir(L"C:\\Music"), L"C:\\Music");
    EXPECT_EQ(normalizeInitialDir(L"C:\\"), L"C:\\");
    EXPECT_EQ(normalizeInitialDir(L"\\\\server\\share\\"), L"\\\\server\\share");
    EXPECT_EQ(normalizeInitialDir(L""), L"");
}

TEST(SettingsPaths, SettingsFileSitsBesideTheExecutableWithAnIniExtension) {
    const std::filesystem::path folder = std::filesystem::path(L"some") / L"folder";
    EXPECT_EQ(settingsFilePathFor(folder / L"Tonvale.exe"), folder / L"Tonvale.ini");
    EXPECT_EQ(settingsFilePathFor(folder / L"my.tool.exe"), folder / L"my.tool.ini");
    EXPECT_EQ(settingsFilePathFor(folder / L"Tonvale"), folder / L"Tonvale.ini");
}

}  // namespace
}  // namespace tonvale
