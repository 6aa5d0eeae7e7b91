// The text of a small file that people also edit by hand, such as the settings file: which form
// its bytes hold the text in, and the text written back in that form. Notepad saves UTF-8
// without a byte-order mark, older editors the system code page, some UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tonvale {

enum class TextForm { CodePage, Utf8, Utf8WithMark, Utf16WithMark };

struct DecodedText {
    std::wstring text;
    TextForm form = TextForm::CodePage;
};

// UTF-16 (little-endian) after its mark; UTF-8 after its mark; UTF-8 when the bytes hold
// something beyond ASCII and are valid UTF-8; otherwise the system code page, plain ASCII too.
DecodedText decodeTextFile(std::string_view bytes);

// The text in `form`. Text that the code page cannot hold goes as UTF-8 behind a mark, which the
// decoder tells apart.
std::string encodeTextFile(std::wstring_view text, TextForm form);

}  // namespace tonvale
