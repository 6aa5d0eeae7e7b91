// Times start-up: from CreateProcess until the program's window is visible and its thread
// answers messages, then closes the window. The programs are started in turn, run by run, so
// that a busy moment of the machine falls on all of them alike; the first round only warms
// the file cache and is not counted.
//
//   bench_startup <runs> <program.exe> [<program.exe> ...]
// prints "start_<program name> <median seconds>" a program.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <memory>
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
    // Idle once it first waits for input; the window may come later, so look for it too.
    WaitForInputIdle(started.hProcess, 30000);
    HWND window = nullptr;
    while ((window = visibleWindowOf(started.dwProcessId)) == nullptr) {
        if (WaitForSingleObject(started.hProcess, 1) == WAIT_OBJECT_0 || watch.seconds() > 30) {
            throw std::runtime_error("the program showed no window");
        }
    }
    // Answered by the window's thread only once it is in its message loop.
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) {
        throw std::runtime_error("the program's window did not answer");
    }
    const double seconds = watch.seconds();
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
        for (int run = -1; run < runs; ++run) {
            for (int i = 2; i < argc; ++i) {
                const double seconds = timeStart(argv[i]);
                if (run >= 0) {
                    samples[argv[i]].push_back(seconds);
                }
            }
        }
        for (int i = 2; i < argc; ++i) {
            const std::string name = std::filesystem::path(argv[i]).stem().string();
            std::printf("start_%s %.6f\n", name.c_str(), tonvale::bench::median(samples[argv[i]]));
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_startup: %s\n", failure.what());
        return 1;
    }
    return 0;
}
