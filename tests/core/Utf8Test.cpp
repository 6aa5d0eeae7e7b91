#include "Utf8.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

// U+1F3B5 needs a surrogate pair in UTF-16.
const std::wstring musicalNote = L"\U0001F3B5";
constexpr std::string_view musicalNoteUtf8 = "\xF0\x9F\x8E\xB5";
const std::wstring loneHigh{static_cast<wchar_t>(0xD800), L'A'};

TEST(Utf8, EncodesAndDecodesEachSequenceLength) {
    EXPECT_EQ(toUtf8(L"A\u00E9\u20AC"), "A\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(toUtf8(musicalNote), musicalNoteUtf8);
    EXPECT_EQ(fromUtf8("A\xC3\xA9\xE2\x82\xAC"), L"A\u00E9\u20AC");
    EXPECT_EQ(fromUtf8(musicalNoteUtf8), musicalNote);
    EXPECT_EQ(toUtf8Exactly(musicalNote), std::string(musicalNoteUtf8));
    EXPECT_EQ(fromUtf8Exactly(musicalNoteUtf8), musicalNote);
}

TEST(Utf8, AnUnpairedSurrogateIsReplacedOrRefused) {
    EXPECT_EQ(toUtf8(loneHigh),
              "\xEF\xBF\xBD"
              "A");
    EXPECT_EQ(toUtf8Exactly(loneHigh), std::nullopt);
}

TEST(Utf8, MalformedInputIsReplacedKeepingWhatFollowsOrRefused) {
    const std::pair<std::string_view, std::wstring_view> cases[] = {
        {"\x80z", L"\uFFFDz"},               // stray continuation byte
        {"\xE2\x82z", L"\uFFFDz"},           // cut-off sequence
        {"\xC0\xAFz", L"\uFFFDz"},           // overlong "/"
        {"\xED\xA0\x80z", L"\uFFFDz"},       // encoded surrogate
        {"\xF4\x90\x80\x80z", L"\uFFFDz"},   // beyond U+10FFFF
        {"\xFF\xC3\xA9", L"\uFFFD\u00E9"}};  // invalid lead, then a good one
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(fromUtf8(bytes), text);
        EXPECT_EQ(fromUtf8Exactly(bytes), std::nullopt);
    }
}

}  // namespace
}  // namespace tonvale
