// Watches a Tonvale started by someone else, as its user would: waits until its main window is
// up and its log shows the line "Connected", prints the window's caption, then closes the window.
// Exit code 0 when all that was seen, 1 when the time (first argument, in ms) ran out first.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "Form1Layout.h"

namespace {

// Another process's window text: WM_GETTEXT is marshalled across processes.
std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (window == nullptr ||
        !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        return {};
    }
    text.resize(copied);
    return text;
}

bool hasLine(std::wstring_view text, std::wstring_view line) {
    while (!text.empty()) {
        const size_t end = text.find(L"\r\n");
        if (text.substr(0, end) == line) {
            return true;
        }
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 2);
    }
    return false;
}

void print(FILE* stream, const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fprintf(stream, "%s\n", bytes.c_str());
    std::fflush(stream);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const ULONGLONG timeoutMs = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 30000;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    HWND form = nullptr;
    std::wstring log;
    while (GetTickCount64() < deadline) {
        form = FindWindowW(L"TForm1", nullptr);
        if (form != nullptr) {
            log = windowText(GetDlgItem(form, tonvale::IdMemo1));
            if (hasLine(log, L"Connected")) {
                print(stdout, windowText(form));
                PostMessageW(form, WM_CLOSE, 0, 0);
                return 0;
            }
        }
        Sleep(100);
    }
    if (form == nullptr) {
        print(stderr, L"No Tonvale window came up.");
    } else {
        print(stderr, L"The window came up, but its log never said \"Connected\". The log:");
        print(stderr, log);
    }
    return 1;
}
