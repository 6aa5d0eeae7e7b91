// Reading the windows of another program, as the drivers that watch Tonvale from outside do.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tonvale::testing {

// A window's text; WM_GETTEXT is carried across processes. Empty when the window does not answer.
inline std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (window == nullptr ||
        !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

// The lines of a multi-line edit's text.
inline std::vector<std::wstring> linesOf(std::wstring_view text) {
    std::vector<std::wstring> lines;
    while (!text.empty()) {
        const size_t end = text.find(L"\r\n");
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 2);
    }
    return lines;
}

struct WindowSearch {
    DWORD process;
    const wchar_t* windowClass;
    const wchar_t* title;  // nullptr for any
    HWND found;
};

inline BOOL CALLBACK matchWindowSearch(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (process != search->process || std::wstring_view(name) != search->windowClass ||
        !IsWindowVisible(window) ||
        (search->title != nullptr && windowText(window) != search->title)) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

// A visible top-level window of the process, of the class (and title, when given).
inline HWND findWindowOf(DWORD process, const wchar_t* windowClass,
                         const wchar_t* title = nullptr) {
    WindowSearch search{process, windowClass, title, nullptr};
    EnumWindows(&matchWindowSearch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct HintSearch {
    HWND owner;
    HWND found;
};

inline BOOL CALLBACK matchHintOf(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<HintSearch*>(lParam);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring_view(name) != L"tooltips_class32" ||
        GetWindow(window, GW_OWNER) != search->owner) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

// The hint window (a tooltip) that `owner` owns, shown or not; nullptr when it has none.
inline HWND hintWindowOf(HWND owner) {
    HintSearch search{owner, nullptr};
    EnumWindows(&matchHintOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The icons of the notification area that Wine draws: one window per icon.
inline std::vector<HWND> wineTrayIcons() {
    std::vector<HWND> icons;
    HWND area = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND icon = FindWindowExW(area, nullptr, L"__winex11_tray_icon", nullptr);
         area != nullptr && icon != nullptr;
         icon = FindWindowExW(area, icon, L"__winex11_tray_icon", nullptr)) {
        icons.push_back(icon);
    }
    return icons;
}

}  // namespace tonvale::testing
