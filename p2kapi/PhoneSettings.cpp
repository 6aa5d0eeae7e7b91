#include "PhoneSettings.h"

#include "HostPath.h"

#include <cerrno>
#include <cwchar>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "IniDocument.h"
#include "NameMatching.h"
#include "SettingsFileIO.h"
#include "TextFile.h"

namespace p2kapi {
namespace {

constexpr wchar_t kSection[] = L"Phone";

// The file's text, in whichever form the user's editor saved it (as the program's own settings
// file is read). A file that is missing or cannot be read is empty: every key keeps its default.
std::wstring readText(const std::wstring& path) {
    std::optional<std::string> bytes;
    try {
        bytes = tonvale::readFileBytes(path);
    } catch (...) {
    }
    return bytes ? tonvale::decodeTextFile(*bytes).text : std::wstring();
}

// A key of the [Phone] section as the profile functions read it, enclosing quotes dropped;
// nothing when it is missing.
std::optional<std::wstring> readString(const tonvale::IniDocument& ini, const wchar_t* key) {
    // A fallback no real value can hold tells "missing" apart from "empty".
    constexpr wchar_t kMissing[] = L"\x01";
    std::wstring value = ini.readString(kSection, key, kMissing);
    if (value == kMissing) {
        return std::nullopt;
    }
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::optional<long long> parseInteger(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    errno = 0;
    const long long value = std::wcstoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != L'\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> parseSwitch(const std::wstring& text) {
    for (const wchar_t* yes : {L"1", L"yes", L"true", L"on"}) {
        if (tonvale::namesMatch(text, yes)) {
            return true;
        }
    }
    for (const wchar_t* no : {L"0", L"no", L"false", L"off"}) {
        if (tonvale::namesMatch(text, no)) {
            return false;
        }
    }
    return std::nullopt;
}

// A whole number from 0 to `largest`; anything else keeps the default.
void readCount(const tonvale::IniDocument& keys, const wchar_t* key, unsigned& count,
               unsigned largest = std::numeric_limits<unsigned>::max()) {
    const auto text = readString(keys, key);
    const auto value = text ? parseInteger(*text) : std::nullopt;
    if (value && *value >= 0 && *value <= largest) {
        count = static_cast<unsigned>(*value);
    }
}

// One of two words, case ignored; anything else keeps the default.
void readChoice(const tonvale::IniDocument& keys, const wchar_t* key, const wchar_t* no,
                const wchar_t* yes, bool& choice) {
    if (const auto text = readString(keys, key)) {
        if (tonvale::namesMatch(*text, no)) {
            choice = false;
        } else if (tonvale::namesMatch(*text, yes)) {
            choice = true;
        }
    }
}

}  // namespace

PhoneLabel makeLabel(const std::string& text) {
    PhoneLabel label{' ', ' ', ' ', ' '};
    for (size_t i = 0; i < label.size() && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        label[i] = (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return label;
}

PhoneSettings readPhoneSettings(const std::wstring& iniFile) {
    PhoneSettings settings;
    const std::wstring iniFolder = parentFolder(iniFile);
    const tonvale::IniDocument keys = tonvale::IniDocument::parse(readText(iniFile));

    std::wstring root = readString(keys, L"Root").value_or(L"phone");
    if (root.empty()) {
        root = L"phone";
    }
    if (!isRooted(root)) {
        root = joinPath(iniFolder, root);
    }
    settings.root = fullPath(root).value_or(root);

    if (const auto label = readString(keys, L"Label")) {
        // The label is plain ASCII; anything else is replaced in makeLabel anyway.
        std::string narrow;
        for (const wchar_t c : *label) {
            narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        }
        settings.label = makeLabel(narrow);
    }
    if (const auto text = readString(keys, L"Capacity")) {
        if (const auto capacity = parseInteger(*text); capacity && *capacity >= 0) {
            settings.capacityBytes = *capacity;
        }
    }
    if (const auto text = readString(keys, L"Attached")) {
        settings.attached = parseSwitch(*text).value_or(settings.attached);
    }
    readCount(keys, L"AttachDelayMs", settings.attachDelayMs);
    readCount(keys, L"RestartDelayMs", settings.restartDelayMs);
    readCount(keys, L"VolumeNameBytes", settings.volumeNameBytes, kLongestVolumeName);
    readCount(keys, L"CallDelayMs", settings.callDelayMs);
    readCount(keys, L"WriteKiBPerSecond", settings.writeKiBPerSecond);
    bool cCalls = settings.callingConvention == CallingConvention::Cdecl;
    readChoice(keys, L"CallingConvention", L"stdcall", L"cdecl", cCalls);
    settings.callingConvention = cCalls ? CallingConvention::Cdecl : CallingConvention::Stdcall;
    readChoice(keys, L"HandlerArgument", L"none", L"state", settings.handlerGetsState);
    readChoice(keys, L"HandlerThread", L"own", L"caller", settings.handlerOnCallersThread);
    if (const auto text = readString(keys, L"NotifyDetach")) {
        settings.notifyDetach = parseSwitch(*text).value_or(settings.notifyDetach);
    }
    return settings;
}

PhoneSettings readLibrarySettings() {
    return readPhoneSettings(joinPath(libraryFolder(), L"p2kapi.ini"));
}

}  // namespace p2kapi
