// The floor of Open: what any program must do to open a selection as Open defines it, and
// nothing else. Each file is opened for reading, measured and closed, and the log's lines (one
// a file and the two totals) go into a multi-line edit of the log's size, style and font in a
// window of its own, laid out with drawing off and drawn once, as the program does. It carries
// the program's manifest: the common controls' edit costs far more per line than the system's
// older one, and the program's log is one of those.
//
//   bench_floor_open <folder>
// for each line read, a count: opens that many of the folder's first files, in a fresh window,
// and prints the seconds it took, drawing included; or a line beginning "x" when it could not.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

LRESULT CALLBACK floorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// One Open of `selection` into a fresh window; prints its seconds, or returns what failed.
const char* open(HINSTANCE instance, HFONT font, const std::vector<std::wstring>& selection) {
    HWND window = CreateWindowExW(0, L"OpenFloor", L"Open floor", WS_OVERLAPPEDWINDOW, 0, 0, 765,
                                  600, nullptr, nullptr, instance, nullptr);
    HWND log = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"Edit", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 294, 111,
        447, 322, window, nullptr, instance, nullptr);
    SendMessageW(log, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // As the log: no limit to what it holds (an edit's own stops at some 30,000 characters).
    SendMessageW(log, EM_SETLIMITTEXT, 0, 0);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    LARGE_INTEGER start{};
    LARGE_INTEGER end{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&start);
    std::wstring lines;
    int64_t kilobytes = 0;
    for (const std::wstring& path : selection) {
        lines += L"Opened file: " + path + L"\r\n";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER size{};
        const bool measured = file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        if (!measured) {
            DestroyWindow(window);
            return "a file cannot be measured";
        }
        kilobytes += (size.QuadPart + 512) / 1024;
    }
    lines += L"Total: " + std::to_wstring(selection.size()) + L" files opened\r\n";
    lines += L"Total size: " + std::to_wstring(kilobytes) + L" Kbytes\r\n";
    SendMessageW(log, WM_SETREDRAW, FALSE, 0);
    SendMessageW(log, EM_SETSEL, 0, 0);
    SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
    SendMessageW(log, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(log, nullptr, TRUE);
    SendMessageW(log, EM_SCROLLCARET, 0, 0);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    UpdateWindow(window);
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    std::printf("%.6f\n", static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
    DestroyWindow(window);
    return nullptr;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_floor_open <folder>\n");
        return 2;
    }
    std::vector<std::wstring> files;
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        files.push_back(entry.path().wstring());
    }
    std::sort(files.begin(), files.end());

    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &floorProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"OpenFloor";
    RegisterClassW(&windowClass);
    HFONT font = CreateFontW(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    char request[64];
    while (std::fgets(request, sizeof request, stdin) != nullptr) {
        const size_t count = std::min<size_t>(files.size(), std::strtoul(request, nullptr, 10));
        const std::vector<std::wstring> selection(files.begin(), files.begin() + count);
        if (const char* failure = open(instance, font, selection)) {
            std::printf("x %s\n", failure);
        }
        std::fflush(stdout);
    }
    DeleteObject(font);
    return 0;
}
