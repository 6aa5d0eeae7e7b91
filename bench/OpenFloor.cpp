// The floor of Open: what any program must do to open a selection as Open defines it, and
// nothing else. Each file is opened for reading, measured and closed, and the log's lines (one
// a file and the two totals) go into a multi-line edit of the log's size, style and font in a
// window of its own, laid out with drawing off and drawn once, as the program does.
//
//   bench_floor_open <folder> <count>
// opens the first `count` files of the folder and prints the seconds it took, drawing included.
#include <windows.h>

#include <algorithm>
#include <cstdio>
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

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_floor_open <folder> <count>\n");
        return 2;
    }
    std::vector<std::wstring> selection;
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        selection.push_back(entry.path().wstring());
    }
    std::sort(selection.begin(), selection.end());
    selection.resize(std::min<size_t>(selection.size(), std::wcstoul(argv[2], nullptr, 10)));

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &floorProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"OpenFloor";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"OpenFloor", L"Open floor", WS_OVERLAPPEDWINDOW, 0, 0, 765,
                                  600, nullptr, nullptr, instance, nullptr);
    HWND log = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"Edit", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 294, 111,
        447, 322, window, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    SendMessageW(log, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
        if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) {
            std::fprintf(stderr, "bench_floor_open: a file cannot be measured\n");
            return 1;
        }
        CloseHandle(file);
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
    DeleteObject(font);
    return 0;
}
