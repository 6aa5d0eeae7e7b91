// The memory of the shipped program while it uploads one large file. Starts Tonvale.exe (with
// a virtual phone roomy enough beside it), waits for its phone, opens the file through its real
// Open dialog, reads its working set, presses Upload, waits for the log to report the file
// uploaded, reads the process's peak working set, and closes the program. Prints "name value"
// lines for scripts/bench.sh. (Wine reports no private bytes: it counts them in swap, and there
// may be none.)
//
//   bench_memory <runs> <Tonvale.exe> <file to upload>
// prints the medians over the runs, each in a fresh process.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "BenchClock.h"
#include "Form1Layout.h"

namespace {

using tonvale::bench::Stopwatch;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

// Another process's window text: WM_GETTEXT is marshalled across processes.
std::wstring windowText(HWND window) {
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

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK findWindowOfProcess(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t windowClass[64] = {};
    GetClassNameW(window, windowClass, 64);
    if (owner == search->processId && IsWindowVisible(window) &&
        std::wstring_view(windowClass) == search->windowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for a visible top-level window of the class that the process shows.
HWND waitForWindow(DWORD processId, const wchar_t* windowClass) {
    const Stopwatch watch;
    for (;;) {
        WindowSearch search{processId, windowClass, nullptr};
        EnumWindows(&findWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        if (watch.seconds() > 30) {
            fail("no window of the program came up");
        }
        Sleep(20);
    }
}

void waitForLogLine(HWND form, const std::wstring& line, double timeoutSeconds) {
    HWND log = GetDlgItem(form, tonvale::IdMemo1);
    const Stopwatch watch;
    while (!hasLine(windowText(log), line)) {
        if (watch.seconds() > timeoutSeconds) {
            fail("the program's log never showed the expected line");
        }
        Sleep(20);
    }
}

void click(HWND form, int button) {
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(form, button)));
}

PROCESS_MEMORY_COUNTERS memoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        fail("the program's memory cannot be read");
    }
    return counters;
}

struct Memory {
    double before;
    double peak;
};

Memory measure(const std::wstring& program, const std::wstring& file) {
    const std::wstring folder = std::filesystem::path(program).parent_path().wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        fail("CreateProcess failed");
    }
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    HWND form = waitForWindow(started.dwProcessId, L"TForm1");
    waitForLogLine(form, L"Connected", 30);

    // Open, through the program's own dialog: the file's full name typed in, then OK.
    click(form, tonvale::IdBitBtn1);
    HWND dialog = waitForWindow(started.dwProcessId, L"#32770");
    SendMessageTimeoutW(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(file.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    waitForLogLine(form, L"Total: 1 files opened", 30);

    const PROCESS_MEMORY_COUNTERS before = memoryOf(started.hProcess);
    click(form, tonvale::IdBitBtn2);
    const std::wstring name = std::filesystem::path(file).filename().wstring();
    waitForLogLine(form, name + L" was uploaded in phone", 120);
    const PROCESS_MEMORY_COUNTERS after = memoryOf(started.hProcess);

    PostMessageW(form, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(started.hProcess, 1);
        fail("the program did not end when its window was closed");
    }
    return {static_cast<double>(before.WorkingSetSize),
            static_cast<double>(after.PeakWorkingSetSize)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_memory <runs> <Tonvale.exe> <file to upload>\n");
        return 2;
    }
    try {
        std::vector<double> before;
        std::vector<double> peak;
        for (int run = std::wcstol(argv[1], nullptr, 10); run > 0; --run) {
            const Memory memory = measure(argv[2], argv[3]);
            before.push_back(memory.before);
            peak.push_back(memory.peak);
        }
        std::printf("memory_before_ws %.0f\n", tonvale::bench::median(before));
        std::printf("memory_peak_ws %.0f\n", tonvale::bench::median(peak));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_memory: %s\n", failure.what());
        return 1;
    }
    return 0;
}
