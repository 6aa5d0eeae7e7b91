// The settings file as text, independent of where it is stored. Only what this keeps survives a
// save: sections, their "key=value" lines and their other non-comment lines, in order.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tonvale {

class IniDocument {
  public:
    // Never fails: lines it cannot place (comments, blank lines, lines before the first section)
    // are dropped.
    static IniDocument parse(std::wstring_view text);

    // Each section as "[name]", its lines and one empty line, every line ending in CR LF.
    std::wstring render() const;

    // The first matching key of the first matching section; names match without regard to case.
    std::wstring readString(std::wstring_view section, std::wstring_view key,
                            std::wstring_view fallback) const;

    // Replaces an existing key where it stands, otherwise appends the key to its section and the
    // section to the document. The value is kept exactly, blanks included. Throws
    // std::invalid_argument for a line break, which would split the line in the file.
    void writeString(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  private:
    struct Entry {
        std::wstring key;
        std::wstring value;
    };
    // A section line without "=", carried over so that a save does not lose it.
    struct RawLine {
        std::wstring text;
    };
    struct Section {
        std::wstring name;
        std::vector<std::variant<Entry, RawLine>> lines;
    };

    std::vector<Section> sections_;
};

}  // namespace tonvale
