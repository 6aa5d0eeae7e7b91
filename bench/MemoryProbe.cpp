// The memory of the shipped program while it uploads one large file. Starts Tonvale.exe with a
// virtual phone roomy enough for it, waits for its phone, opens the file through its real Open
// dialog, reads its working set, presses Upload, waits for the log to report the file uploaded,
// reads the process's peak working set, and closes the program. Prints "name value" lines for
// scripts/bench.sh. (Wine reports no private bytes: it counts them in swap, and there may be
// none.)
//
//   bench_memory <runs> <file to upload> [fit]
// prints the medians over the runs, each in a fresh process; with "fit", pictures are fitted to
// the phone's screen as they are uploaded.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "Form1Layout.h"
#include "RunningTonvale.h"

namespace {

namespace fs = std::filesystem;
using tonvale::e2e::RunningTonvale;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
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

Memory measure(const fs::path& file, bool fit) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder = fs::path(temp) / L"tonvale-bench-memory";
    fs::create_directories(folder);
    std::ofstream(folder / L"Tonvale.ini", std::ios::binary)
        << "[Options]\r\nFitPictures=" << (fit ? 1 : 0) << "\r\n";
    RunningTonvale tonvale(folder, {true, 200, 600, 1ll << 30});
    if (!tonvale.waitForLogLine(L"Connected", 1, 30000)) {
        fail("the phone did not attach");
    }
    tonvale.press(tonvale::IdBitBtn1);
    tonvale.pickInOpenDialog(file.parent_path(), {file.filename().wstring()});
    if (!tonvale.waitForLogLine(L"Total: 1 files opened", 1, 30000)) {
        fail("the file was not opened");
    }
    const PROCESS_MEMORY_COUNTERS before = memoryOf(tonvale.process());
    tonvale.press(tonvale::IdBitBtn2);
    if (!tonvale.waitForLogLine(file.filename().wstring() + L" was uploaded in phone", 1, 120000)) {
        fail("the upload did not finish");
    }
    const PROCESS_MEMORY_COUNTERS after = memoryOf(tonvale.process());
    tonvale.choose(tonvale::IdExit1);
    if (tonvale.waitForExit() != 0) {
        fail("the program did not end when its window was closed");
    }
    return {static_cast<double>(before.WorkingSetSize),
            static_cast<double>(after.PeakWorkingSetSize)};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool fit = argc == 4 && std::wstring(argv[3]) == L"fit";
    if (argc != 3 && !fit) {
        std::fprintf(stderr, "usage: bench_memory <runs> <file to upload> [fit]\n");
        return 2;
    }
    try {
        std::vector<double> before;
        std::vector<double> peak;
        for (int run = std::wcstol(argv[1], nullptr, 10); run > 0; --run) {
            const Memory memory = measure(argv[2], fit);
            before.push_back(memory.before);
            peak.push_back(memory.peak);
        }
        const char* prefix = fit ? "memory_fit" : "memory";
        std::printf("%s_before_ws %.0f\n", prefix, tonvale::bench::median(before));
        std::printf("%s_peak_ws %.0f\n", prefix, tonvale::bench::median(peak));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_memory: %s\n", failure.what());
        return 1;
    }
    return 0;
}
