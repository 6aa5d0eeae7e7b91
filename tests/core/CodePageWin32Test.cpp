// The program's converter on a western Windows (code page 1252): exact or nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include "CodePage.h"

namespace tonvale {
namespace {

TEST(CodePage, AWesternCodePageHoldsItsOwnCharactersExactly) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "expects the Windows-1252 code page, not " << GetACP();
    }
    EXPECT_EQ(toSystemCodePage(L"Caf\u00E9 \u20AC"), "Caf\xE9 \x80");
    EXPECT_EQ(fromSystemCodePage("Caf\xE9 \x80"), L"Caf\u00E9 \u20AC");
    EXPECT_EQ(fromSystemCodePageExactly("Caf\xE9"), L"Caf\u00E9");
    // Not "a" for a-macron, nor "?" for Cyrillic: a name never changes on its way.
    EXPECT_EQ(toSystemCodePage(L"\u0101.mid"), std::nullopt);
    EXPECT_EQ(toSystemCodePage(L"\u0416.mid"), std::nullopt);
    EXPECT_EQ(toSystemCodePage(std::wstring(1, static_cast<wchar_t>(0xD800))), std::nullopt);
}

}  // namespace
}  // namespace tonvale
