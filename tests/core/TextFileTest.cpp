// The forms a hand-edited text file comes in, and each written back as it came.
#include <gtest/gtest.h>

#include "TextFile.h"

namespace tonvale {
namespace {

using namespace std::string_literals;

TEST(TextFile, TheMarksAndTheBytesTellTheForm) {
    EXPECT_EQ(decodeTextFile("K=V").form, TextForm::CodePage) << "plain ASCII";
    EXPECT_EQ(decodeTextFile("").form, TextForm::CodePage);
    const DecodedText notepad = decodeTextFile("K=Caf\xC3\xA9");
    EXPECT_EQ(notepad.form, TextForm::Utf8);
    EXPECT_EQ(notepad.text, L"K=Caf\u00E9");
    const DecodedText marked = decodeTextFile("\xEF\xBB\xBFK=V");
    EXPECT_EQ(marked.form, TextForm::Utf8WithMark);
    EXPECT_EQ(marked.text, L"K=V");
    // U+1D11E, a character beyond the first 65,536, as a pair of UTF-16 units.
    const DecodedText wide = decodeTextFile("\xFF\xFEK\0=\0\x34\xD8\x1E\xDD"s);
    EXPECT_EQ(wide.form, TextForm::Utf16WithMark);
    EXPECT_EQ(wide.text, std::wstring(L"K=") + L"\U0001D11E");
    EXPECT_EQ(decodeTextFile("K=Caf\xE9").form, TextForm::CodePage) << "no UTF-8";
}

TEST(TextFile, TextIsWrittenInTheFormItCameIn) {
    const std::wstring text = L"K=Caf\u00E9 \U0001D11E";
    for (TextForm form : {TextForm::Utf8, TextForm::Utf8WithMark, TextForm::Utf16WithMark}) {
        const std::string bytes = encodeTextFile(text, form);
        EXPECT_EQ(decodeTextFile(bytes).text, text);
        EXPECT_EQ(decodeTextFile(bytes).form, form);
    }
    EXPECT_EQ(encodeTextFile(L"K=\u00E9", TextForm::Utf8), "K=\xC3\xA9");
    EXPECT_EQ(encodeTextFile(L"K", TextForm::Utf16WithMark), "\xFF\xFEK\0"s);
    // A character no code page holds goes as UTF-8 behind its mark.
    const std::wstring lone = std::wstring(L"K=") + static_cast<wchar_t>(0xD800);
    EXPECT_EQ(encodeTextFile(lone, TextForm::CodePage).substr(0, 5), "\xEF\xBB\xBFK=");
}

}  // namespace
}  // namespace tonvale
