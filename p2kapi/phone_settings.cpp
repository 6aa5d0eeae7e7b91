#include "phone_settings.h"

#include "host_path.h"

#include <windows.h>

#include <cerrno>
#include <cwchar>
#include <limits>
#include <optional>
#include <vector>

namespace p2kapi {
namespace {

constexpr wchar_t kSection[] = L"Phone";

std::optional<std::wstring> ReadString(const std::wstring& iniPath, const wchar_t* key) {
    // A default no real value can hold tells "missing" apart from "empty".
    constexpr wchar_t kMissing[] = L"\x01";
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const DWORD length =
            ::GetPrivateProfileStringW(kSection, key, kMissing, buffer.data(),
                                       static_cast<DWORD>(buffer.size()), iniPath.c_str());
        if (length + 1 < buffer.size()) {
            std::wstring value(buffer.data(), length);
            if (value == kMissing) {
                return std::nullopt;
            }
            return value;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<long long> ParseInteger(const std::wstring& text) {
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

bool EqualsIgnoringCase(const std::wstring& a, const wchar_t* b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

std::optional<bool> ParseSwitch(const std::wstring& text) {
    for (const wchar_t* yes : {L"1", L"yes", L"true", L"on"}) {
        if (EqualsIgnoringCase(text, yes)) {
            return true;
        }
    }
    for (const wchar_t* no : {L"0", L"no", L"false", L"off"}) {
        if (EqualsIgnoringCase(text, no)) {
            return false;
        }
    }
    return std::nullopt;
}

// A whole number from 0 to `largest`; anything else keeps the default.
void ReadCount(const std::wstring& iniPath, const wchar_t* key, unsigned& count,
               unsigned largest = std::numeric_limits<unsigned>::max()) {
    const auto text = ReadString(iniPath, key);
    const auto value = text ? ParseInteger(*text) : std::nullopt;
    if (value && *value >= 0 && *value <= largest) {
        count = static_cast<unsigned>(*value);
    }
}

// One of two words, case ignored; anything else keeps the default.
void ReadChoice(const std::wstring& iniPath, const wchar_t* key, const wchar_t* no,
                const wchar_t* yes, bool& choice) {
    if (const auto text = ReadString(iniPath, key)) {
        if (EqualsIgnoringCase(*text, no)) {
            choice = false;
        } else if (EqualsIgnoringCase(*text, yes)) {
            choice = true;
        }
    }
}

}  // namespace

PhoneLabel MakeLabel(const std::string& text) {
    PhoneLabel label{' ', ' ', ' ', ' '};
    for (size_t i = 0; i < label.size() && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        label[i] = (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return label;
}

PhoneSettings ReadPhoneSettings(const std::wstring& iniPath) {
    PhoneSettings settings;
    const std::wstring iniFolder = ParentFolder(iniPath);

    std::wstring root = ReadString(iniPath, L"Root").value_or(L"phone");
    if (root.empty()) {
        root = L"phone";
    }
    if (!IsRooted(root)) {
        root = JoinPath(iniFolder, root);
    }
    settings.root = FullPath(root).value_or(root);

    if (const auto label = ReadString(iniPath, L"Label")) {
        // The label is plain ASCII; anything else is replaced in MakeLabel anyway.
        std::string narrow;
        for (const wchar_t c : *label) {
            narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        }
        settings.label = MakeLabel(narrow);
    }
    if (const auto text = ReadString(iniPath, L"Capacity")) {
        if (const auto capacity = ParseInteger(*text); capacity && *capacity >= 0) {
            settings.capacityBytes = *capacity;
        }
    }
    if (const auto text = ReadString(iniPath, L"Attached")) {
        settings.attached = ParseSwitch(*text).value_or(settings.attached);
    }
    ReadCount(iniPath, L"AttachDelayMs", settings.attachDelayMs);
    ReadCount(iniPath, L"RestartDelayMs", settings.restartDelayMs);
    ReadCount(iniPath, L"VolumeNameBytes", settings.volumeNameBytes, kLongestVolumeName);
    ReadCount(iniPath, L"CallDelayMs", settings.callDelayMs);
    ReadCount(iniPath, L"WriteKiBPerSecond", settings.writeKiBPerSecond);
    bool cCalls = settings.callingConvention == CallingConvention::Cdecl;
    ReadChoice(iniPath, L"CallingConvention", L"stdcall", L"cdecl", cCalls);
    settings.callingConvention = cCalls ? CallingConvention::Cdecl : CallingConvention::Stdcall;
    ReadChoice(iniPath, L"HandlerArgument", L"none", L"state", settings.handlerGetsState);
    ReadChoice(iniPath, L"HandlerThread", L"own", L"caller", settings.handlerOnCallersThread);
    if (const auto text = ReadString(iniPath, L"NotifyDetach")) {
        settings.notifyDetach = ParseSwitch(*text).value_or(settings.notifyDetach);
    }
    return settings;
}

PhoneSettings ReadLibrarySettings() {
    return ReadPhoneSettings(JoinPath(LibraryFolder(), L"p2kapi.ini"));
}

}  // namespace p2kapi
