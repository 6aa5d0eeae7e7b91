// Arbitrary bytes as the settings file: decoding, reading, changing the starting folder, saving
// and reading back must neither crash nor trip a sanitizer, and what a save writes must read
// back to the same sections, keys and values.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "IniDocument.h"
#include "TextFile.h"

namespace {

using tonvale::IniDocument;

// No value or name holds a line break, so this can only come back as the fallback.
constexpr std::wstring_view kAbsent = L"\n(absent)";

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "settings fuzzer: %s\n", what);
        std::abort();
    }
}

std::wstring_view trimmed(std::wstring_view text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool sameAsciiName(std::wstring_view name, std::wstring_view lowerCase) {
    if (name.size() != lowerCase.size()) {
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i] >= L'A' && name[i] <= L'Z' ? name[i] - L'A' + L'a' : name[i];
        if (c != lowerCase[i]) {
            return false;
        }
    }
    return true;
}

// Every section and key a saved text names, read from the text itself: "[name]" lines open
// sections, "key=value" lines are keys.
std::vector<std::pair<std::wstring, std::wstring>> namedKeys(std::wstring_view saved) {
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    std::wstring section;
    while (!saved.empty()) {
        const auto end = saved.find(L"\r\n");
        require(end != std::wstring_view::npos, "a saved line does not end in CR LF");
        const std::wstring_view line = saved.substr(0, end);
        saved.remove_prefix(end + 2);
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            section = line.substr(1, line.size() - 2);
        } else if (const auto equals = line.find(L'='); equals != std::wstring_view::npos) {
            keys.emplace_back(section, line.substr(0, equals));
        }
    }
    return keys;
}

std::string save(const IniDocument& document, tonvale::TextForm form) {
    return tonvale::encodeTextFile(document.render(), form);
}

IniDocument load(std::string_view bytes) {
    return IniDocument::parse(tonvale::decodeTextFile(bytes).text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto [text, form] = tonvale::decodeTextFile(bytes);
    IniDocument document = IniDocument::parse(text);

    // Every start reads the starting folder and saves the file back.
    const std::wstring folder = document.readString(L"Options", L"InitialDir", kAbsent);
    const std::wstring rendered = document.render();
    // Saved in the form it was read in, it reads back as the same text.
    const std::string saved = save(document, form);
    require(tonvale::decodeTextFile(saved).text == rendered, "a saved text decodes as another");
    const IniDocument reloaded = load(saved);
    require(reloaded.render() == rendered, "a saved file reads back in another form");
    require(reloaded.readString(L"Options", L"InitialDir", kAbsent) == folder,
            "the starting folder changed in a save");

    // OK in the Options dialog stores whatever the field holds: here the input's last line.
    const auto lastBreak = text.find_last_of(L"\r\n");
    const std::wstring typed = lastBreak == std::wstring::npos ? text : text.substr(lastBreak + 1);
    document.writeString(L"Options", L"InitialDir", typed);
    const IniDocument stored = load(save(document, form));
    require(stored.readString(L"Options", L"InitialDir", kAbsent) == trimmed(typed),
            "the stored folder reads back as another");
    for (const auto& [section, key] : namedKeys(rendered)) {
        if (sameAsciiName(section, L"options") && sameAsciiName(key, L"initialdir")) {
            continue;
        }
        require(
            stored.readString(section, key, kAbsent) == reloaded.readString(section, key, kAbsent),
            "storing the folder changed another key");
    }
    return 0;
}
