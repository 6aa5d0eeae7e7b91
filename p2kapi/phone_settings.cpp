#include "phone_settings.h"

#include "host_path.h"

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "KernelHandles.h"

namespace p2kapi {
namespace {

constexpr wchar_t kSection[] = L"Phone";

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::optional<std::wstring> Decode(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(),
                                             static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                          text.data(), length);
    return text;
}

// The file's text: UTF-16 after its byte-order mark; UTF-8 after its mark, or when its bytes
// are valid UTF-8 (Notepad saves so, without a mark, since Windows 10 1903); otherwise the
// system code page, as Windows' own profile functions read a file without a mark.
std::wstring ReadText(const std::wstring& path) {
    tonvale::OwnedKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 20)) {
        return {};
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {};
    }
    bytes.resize(read);
    const std::string_view view(bytes);
    if (view.starts_with("\xFF\xFE")) {
        std::wstring text((view.size() - 2) / 2, L'\0');
        std::memcpy(text.data(), view.data() + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    if (view.starts_with("\xEF\xBB\xBF")) {
        return Decode(CP_UTF8, 0, view.substr(3)).value_or(std::wstring());
    }
    if (auto utf8 = Decode(CP_UTF8, MB_ERR_INVALID_CHARS, view)) {
        return *std::move(utf8);
    }
    return Decode(CP_ACP, 0, view).value_or(std::wstring());
}

std::wstring_view Trimmed(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L" \t\r");
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L" \t\r") - first + 1);
}

// The keys of the [Phone] section in order, as the profile functions read them: names and
// values trimmed, a value's enclosing quotes dropped, the first of a name counting.
using Keys = std::vector<std::pair<std::wstring, std::wstring>>;

Keys ReadSection(const std::wstring& iniPath) {
    const std::wstring text = ReadText(iniPath);
    Keys keys;
    bool inside = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const std::wstring_view line = Trimmed(std::wstring_view(text).substr(start, end - start));
        start = end + 1;
        if (line.starts_with(L'[')) {
            const size_t close = line.find(L']');
            inside = close != std::wstring_view::npos &&
                     EqualsIgnoringCase(Trimmed(line.substr(1, close - 1)), kSection);
            continue;
        }
        const size_t equals = line.find(L'=');
        if (!inside || line.starts_with(L';') || equals == std::wstring_view::npos) {
            continue;
        }
        std::wstring_view value = Trimmed(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
            value = value.substr(1, value.size() - 2);
        }
        keys.emplace_back(Trimmed(line.substr(0, equals)), value);
    }
    return keys;
}

std::optional<std::wstring> ReadString(const Keys& keys, const wchar_t* key) {
    for (const auto& [name, value] : keys) {
        if (EqualsIgnoringCase(name, key)) {
            return value;
        }
    }
    return std::nullopt;
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
void ReadCount(const Keys& keys, const wchar_t* key, unsigned& count,
               unsigned largest = std::numeric_limits<unsigned>::max()) {
    const auto text = ReadString(keys, key);
    const auto value = text ? ParseInteger(*text) : std::nullopt;
    if (value && *value >= 0 && *value <= largest) {
        count = static_cast<unsigned>(*value);
    }
}

// One of two words, case ignored; anything else keeps the default.
void ReadChoice(const Keys& keys, const wchar_t* key, const wchar_t* no, const wchar_t* yes,
                bool& choice) {
    if (const auto text = ReadString(keys, key)) {
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

PhoneSettings ReadPhoneSettings(const std::wstring& iniFile) {
    PhoneSettings settings;
    const std::wstring iniFolder = ParentFolder(iniFile);
    const Keys keys = ReadSection(iniFile);

    std::wstring root = ReadString(keys, L"Root").value_or(L"phone");
    if (root.empty()) {
        root = L"phone";
    }
    if (!IsRooted(root)) {
        root = JoinPath(iniFolder, root);
    }
    settings.root = FullPath(root).value_or(root);

    if (const auto label = ReadString(keys, L"Label")) {
        // The label is plain ASCII; anything else is replaced in MakeLabel anyway.
        std::string narrow;
        for (const wchar_t c : *label) {
            narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        }
        settings.label = MakeLabel(narrow);
    }
    if (const auto text = ReadString(keys, L"Capacity")) {
        if (const auto capacity = ParseInteger(*text); capacity && *capacity >= 0) {
            settings.capacityBytes = *capacity;
        }
    }
    if (const auto text = ReadString(keys, L"Attached")) {
        settings.attached = ParseSwitch(*text).value_or(settings.attached);
    }
    ReadCount(keys, L"AttachDelayMs", settings.attachDelayMs);
    ReadCount(keys, L"RestartDelayMs", settings.restartDelayMs);
    ReadCount(keys, L"VolumeNameBytes", settings.volumeNameBytes, kLongestVolumeName);
    ReadCount(keys, L"CallDelayMs", settings.callDelayMs);
    ReadCount(keys, L"WriteKiBPerSecond", settings.writeKiBPerSecond);
    bool cCalls = settings.callingConvention == CallingConvention::Cdecl;
    ReadChoice(keys, L"CallingConvention", L"stdcall", L"cdecl", cCalls);
    settings.callingConvention = cCalls ? CallingConvention::Cdecl : CallingConvention::Stdcall;
    ReadChoice(keys, L"HandlerArgument", L"none", L"state", settings.handlerGetsState);
    ReadChoice(keys, L"HandlerThread", L"own", L"caller", settings.handlerOnCallersThread);
    if (const auto text = ReadString(keys, L"NotifyDetach")) {
        settings.notifyDetach = ParseSwitch(*text).value_or(settings.notifyDetach);
    }
    return settings;
}

PhoneSettings ReadLibrarySettings() {
    return ReadPhoneSettings(JoinPath(LibraryFolder(), L"p2kapi.ini"));
}

}  // namespace p2kapi
