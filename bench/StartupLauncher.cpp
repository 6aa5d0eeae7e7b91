// Times start-up as a user meets it: from CreateProcess until the program first waits for
// input in its message loop (WaitForInputIdle), its window visible and answering, then closes
// the window. The programs take turns, run by run, so that a busy moment of the machine falls
// on all of them alike; every run counts, the first one too.
//
//   bench_startup <runs> <program.exe> [<program.exe> ...]
// prints "start_<program name> <median> <min> <max>" in seconds, a line a program.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "KernelHandles.h"

namespace {

using tonvale::bench::Stopwatch;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND visibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(&findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void endProgram(HANDLE process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        throw std::runtime_error("a program did not end when its window was closed");
    }
}

double timeStart(const std::wstring& program) {
    const std::wstring folder = std::filesystem::path(program).parent_path().wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const Stopwatch watch;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        throw std::runtime_error("CreateProcess failed");
    }
    const tonvale::OwnedKernelHandle process(started.hProcess);
    const tonvale::OwnedKernelHandle thread(started.hThread);
    // Idle once it first waits for input, its window shown and drawn.
    if (WaitForInputIdle(started.hProcess, 30000) != 0) {
        throw std::runtime_error("the program did not come to wait for input");
    }
    const double seconds = watch.seconds();
    HWND window = visibleWindowOf(started.dwProcessId);
    if (window == nullptr) {
        throw std::runtime_error("the program waited for input without a window");
    }
    // Answered by the window's thread once it is in its message loop.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) {
        throw std::runtime_error("the program's window did not answer");
    }
    endProgram(started.hProcess, window);
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup <runs> <program.exe>...\n");
        return 2;
    }
    try {
        const int runs = std::wcstol(argv[1], nullptr, 10);
        std::map<std::wstring, std::vector<double>> samples;
        // The programs take turns, and the first start counts like any other: a user's first
        // start of the day is one too.
        for (int run = 0; run < runs; ++run) {
            for (int i = 2; i < argc; ++i) {
                const int program = run % 2 == 0 ? i : argc + 1 - i;
                samples[argv[program]].push_back(timeStart(argv[program]));
            }
        }
        for (int i = 2; i < argc; ++i) {
            const std::string name = std::filesystem::path(argv[i]).stem().string();
            const std::vector<double>& times = samples[argv[i]];
            std::printf("start_%s %.6f %.6f %.6f\n", name.c_str(), tonvale::bench::median(times),
                        *std::min_element(times.begin(), times.end()),
                        *std::max_element(times.begin(), times.end()));
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_startup: %s\n", failure.what());
        return 1;
    }
    return 0;
}
