// Times the main window's Open and Upload against the virtual phone, in this process, as the
// user runs them: the real TForm1, shown, its buttons pressed, the file dialog answered through
// the prompts seam. The upload is held against CopyFileW of the same files into a fresh folder
// beside the phone's. Prints "name value" lines that scripts/bench.sh turns into its table.
//
//   bench_window upload <runs> <bytes a file> <files> [<files> ...]
//   bench_window open <runs> <files> [<files> ...]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchProcess.h"
#include "BenchWindow.h"
#include "p2kapi_test.h"

namespace {

namespace fs = std::filesystem;
using namespace tonvale;
using namespace tonvale::bench;

// Bytes of the files directly in `folder` and their number.
std::pair<int64_t, int> folderContents(const fs::path& folder) {
    int64_t bytes = 0;
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            bytes += static_cast<int64_t>(entry.file_size());
            ++count;
        }
    }
    return {bytes, count};
}

void removeFolder(const fs::path& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

double timeUpload(const WorkFolder& work, const std::vector<std::wstring>& files, int64_t bytes) {
    const fs::path phoneRoot = work / L"phone";
    double seconds = 0;
    {
        UploadSession session(phoneRoot, work / L"Tonvale.ini", files);
        seconds = session.window->timePress(L"BitBtn2");
        session.window->checkNoErrorBox();
        if (session.window->progress() != static_cast<int>(files.size())) {
            fail("the upload did not finish every file");
        }
    }
    // The phone's standard folder holds nothing else: every byte arrived.
    const auto [onPhone, count] = folderContents(phoneRoot / L"mobile" / L"picture");
    if (count != static_cast<int>(files.size()) ||
        onPhone != bytes * static_cast<int64_t>(files.size())) {
        fail("the phone does not hold the uploaded files");
    }
    removeFolder(phoneRoot);
    return seconds;
}

double timeCopy(const WorkFolder& work, const std::vector<std::wstring>& files) {
    // A folder of the same kind as the phone's: made before the clock starts, as the phone's is.
    const fs::path target = work / L"copy" / L"mobile" / L"picture";
    fs::create_directories(target);
    const Stopwatch watch;
    for (const std::wstring& file : files) {
        const fs::path copy = target / fs::path(file).filename();
        if (!CopyFileW(file.c_str(), copy.c_str(), FALSE)) {
            fail("CopyFileW failed");
        }
    }
    const double seconds = watch.seconds();
    removeFolder(work / L"copy");
    return seconds;
}

// Upload and copy take turns, and so do the sizes of the selection.
int uploadBench(int runs, int64_t bytes, const std::vector<int>& counts) {
    const WorkFolder work;
    const int most = *std::max_element(counts.begin(), counts.end());
    const std::vector<std::wstring> all = makeFiles(work / L"local", most, bytes, L".jpg");
    std::map<int, std::vector<double>> uploads;
    std::map<int, std::vector<double>> copies;
    for (int run = 0; run < runs; ++run) {
        for (int count : counts) {
            const std::vector<std::wstring> files(all.begin(), all.begin() + count);
            if (run % 2 == 0) {
                copies[count].push_back(timeCopy(work, files));
                uploads[count].push_back(timeUpload(work, files, bytes));
            } else {
                uploads[count].push_back(timeUpload(work, files, bytes));
                copies[count].push_back(timeCopy(work, files));
            }
        }
    }
    for (int count : counts) {
        std::printf("upload_%dx%lld %.6f\n", count, static_cast<long long>(bytes),
                    median(uploads[count]));
        std::printf("copy_%dx%lld %.6f\n", count, static_cast<long long>(bytes),
                    median(copies[count]));
    }
    return 0;
}

// The Open command over a fresh window, the selection in an order the list must sort.
double timeOpen(const WorkFolder& work, std::vector<std::wstring> selection) {
    std::mt19937 shuffle(20261208);
    std::shuffle(selection.begin(), selection.end(), shuffle);
    P2KTest_Reset((work / L"phone").c_str(), "E398", kPhoneCapacity, 0, 0, 0);
    BenchPrompts prompts;
    prompts.selection = selection;
    MainWindow window(prompts, work / L"Tonvale.ini");
    const double seconds = window.timePress(L"BitBtn1");
    window.checkNoErrorBox();
    if (window.rows() != static_cast<int>(selection.size())) {
        fail("Open did not list every file");
    }
    return seconds;
}

void printSpread(const char* name, int count, const std::vector<double>& samples) {
    std::printf("%s_%d %.6f %.6f %.6f\n", name, count, median(samples),
                *std::min_element(samples.begin(), samples.end()),
                *std::max_element(samples.begin(), samples.end()));
}

// Open and its floor take turns.
int openBench(int runs, const std::vector<int>& counts) {
    const WorkFolder work;
    const int most = *std::max_element(counts.begin(), counts.end());
    const std::vector<std::wstring> all = makeFiles(work / L"local", most, 1536, L".mid");
    std::map<int, std::vector<double>> opens;
    std::map<int, std::vector<double>> floors;
    // The floor of Open, a program of its own beside this one, for the whole measurement.
    FloorProgram floor(besideThisProgram(L"bench_floor_open.exe"), {(work / L"local").wstring()});
    for (int run = 0; run < runs; ++run) {
        for (int count : counts) {
            const std::vector<std::wstring> selection(all.begin(), all.begin() + count);
            if (run % 2 == 0) {
                opens[count].push_back(timeOpen(work, selection));
                floors[count].push_back(floor.run(std::to_string(count)));
            } else {
                floors[count].push_back(floor.run(std::to_string(count)));
                opens[count].push_back(timeOpen(work, selection));
            }
        }
    }
    for (int count : counts) {
        printSpread("open", count, opens[count]);
        printSpread("open_floor", count, floors[count]);
    }
    return 0;
}

std::vector<int> countsFrom(int argc, wchar_t** argv, int first) {
    std::vector<int> counts;
    for (int i = first; i < argc; ++i) {
        counts.push_back(std::wcstol(argv[i], nullptr, 10));
    }
    if (counts.empty()) {
        fail("no file counts given");
    }
    return counts;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    try {
        if (mode == L"upload" && argc > 4) {
            return uploadBench(std::wcstol(argv[2], nullptr, 10),
                               std::wcstoll(argv[3], nullptr, 10), countsFrom(argc, argv, 4));
        }
        if (mode == L"open" && argc > 3) {
            return openBench(std::wcstol(argv[2], nullptr, 10), countsFrom(argc, argv, 3));
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_window: %s\n", failure.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: bench_window upload <runs> <bytes> <files>... | open <runs> <files>...\n");
    return 2;
}
