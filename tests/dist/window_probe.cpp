// Watches a Tonvale started by someone else, as its user would: waits until its main window is
// up and its log shows the line "Connected", prints the window's caption, then closes the window.
// Exit code 0 when all that was seen, 1 when the time (first argument, in ms) ran out first.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "Form1Layout.h"
#include "OtherProcessWindows.h"

namespace {

using tonvale::testing::windowText;

bool hasLine(const std::wstring& text, const std::wstring& line) {
    for (const std::wstring& logged : tonvale::testing::linesOf(text)) {
        if (logged == line) {
            return true;
        }
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
