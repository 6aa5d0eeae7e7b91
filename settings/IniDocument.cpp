#include "IniDocument.h"

#include <algorithm>
#include <stdexcept>

#include "NameMatching.h"

namespace tonvale {
namespace {

constexpr std::wstring_view blanks = L" \t";
constexpr std::wstring_view lineBreaks = L"\r\n";

std::wstring_view trimBlanks(std::wstring_view text) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Lines may end in CR LF, LF or CR alone: files edited by hand elsewhere still load.
std::vector<std::wstring_view> splitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    while (!text.empty()) {
        const auto end = text.find_first_of(lineBreaks);
        lines.push_back(text.substr(0, end));
        if (end == std::wstring_view::npos) {
            break;
        }
        const bool crLf = text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return lines;
}

bool isSectionHeader(std::wstring_view line) {
    return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

template <typename Sections>
auto findSection(Sections& sections, std::wstring_view name) {
    return std::ranges::find_if(
        sections, [name](const auto& section) { return namesMatch(section.name, name); });
}

template <typename Section>
auto findEntry(Section& section, std::wstring_view key) {
    return std::ranges::find_if(section.lines, [key](const auto& line) {
        const auto* entry = std::get_if<0>(&line);  // the Entry alternative
        return entry && namesMatch(entry->key, key);
    });
}

void rejectLineBreaks(std::wstring_view text) {
    if (text.find_first_of(lineBreaks) != std::wstring_view::npos) {
        throw std::invalid_argument("Settings names and values cannot contain line breaks");
    }
}

}  // namespace

IniDocument IniDocument::parse(std::wstring_view text) {
    IniDocument document;
    for (const auto untrimmed : splitLines(text)) {
        const auto line = trimBlanks(untrimmed);
        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (isSectionHeader(line)) {
            const auto name = trimBlanks(line.substr(1, line.size() - 2));
            document.sections_.push_back(Section{std::wstring(name), {}});
            continue;
        }
        if (document.sections_.empty()) {
            continue;
        }
        auto& lines = document.sections_.back().lines;
        if (const auto equals = line.find(L'='); equals != std::wstring_view::npos) {
            lines.emplace_back(Entry{std::wstring(trimBlanks(line.substr(0, equals))),
                                     std::wstring(trimBlanks(line.substr(equals + 1)))});
        } else {
            lines.emplace_back(RawLine{std::wstring(line)});
        }
    }
    return document;
}

std::wstring IniDocument::render() const {
    std::wstring text;
    for (const auto& section : sections_) {
        text += L'[' + section.name + L"]\r\n";
        for (const auto& line : section.lines) {
            if (const auto* entry = std::get_if<Entry>(&line)) {
                text += entry->key + L'=' + entry->value;
            } else {
                text += std::get<RawLine>(line).text;
            }
            text += L"\r\n";
        }
        text += L"\r\n";
    }
    return text;
}

std::wstring IniDocument::readString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view fallback) const {
    const auto found = findSection(sections_, section);
    if (found == sections_.end()) {
        return std::wstring(fallback);
    }
    const auto line = findEntry(*found, key);
    return std::wstring(line == found->lines.end() ? fallback : std::get<Entry>(*line).value);
}

void IniDocument::writeString(std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) {
    rejectLineBreaks(section);
    rejectLineBreaks(key);
    rejectLineBreaks(value);
    auto found = findSection(sections_, section);
    if (found == sections_.end()) {
        sections_.push_back(Section{std::wstring(section), {}});
        found = std::prev(sections_.end());
    }
    if (const auto line = findEntry(*found, key); line != found->lines.end()) {
        std::get<Entry>(*line).value = value;
    } else {
        found->lines.emplace_back(Entry{std::wstring(key), std::wstring(value)});
    }
}

}  // namespace tonvale
