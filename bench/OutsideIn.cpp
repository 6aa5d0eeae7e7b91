// Upload as a user meets it: the shipped Tonvale.exe in a process of its own beside the virtual
// phone, its files chosen in its real Open dialog, and Upload pressed from outside; the clock
// runs from the click until the program's handler returns. Against it, the floor of the work
// (bench_floor_upload, the same files through a virtual phone of its own, timed inside it) and,
// for reference, CopyFileW of the same files into a fresh folder. Runs take turns, the first
// after the program's start counted too; every upload is checked byte for byte on the phone.
//
//   bench_outside <runs> <bytes>x<count>...
// prints "outside_upload_<count>x<bytes> <median> <min> <max>" and the same for
// "outside_floor_" and "outside_copy_".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchProcess.h"
#include "Form1Layout.h"
#include "KernelHandles.h"
#include "RunningTonvale.h"

namespace {

namespace fs = std::filesystem;
using tonvale::bench::Stopwatch;
using tonvale::e2e::RunningTonvale;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

std::string contentsOf(size_t bytes, size_t seed) {
    std::string contents(bytes, '\0');
    for (size_t i = 0; i < bytes; ++i) {
        contents[i] = static_cast<char>((i * 131 + seed * 17 + i / 977) & 0xFF);
    }
    return contents;
}

void writeFile(const fs::path& file, const std::string& contents) {
    const tonvale::OwnedKernelHandle out(
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!out ||
        !WriteFile(out.get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                   nullptr) ||
        written != contents.size()) {
        fail("a file to upload cannot be written");
    }
}

std::string readFile(const fs::path& file) {
    const tonvale::OwnedKernelHandle in(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                    nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!in || !GetFileSizeEx(in.get(), &size)) {
        return {};
    }
    std::string contents(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ReadFile(in.get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr);
    contents.resize(read);
    return contents;
}

void emptyFolder(const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
}

struct Samples {
    std::vector<double> upload;
    std::vector<double> floor;
    std::vector<double> copy;
};

// The floor program beside a virtual phone of its own, with room for every set.
fs::path prepareFloor(const fs::path& folder) {
    fs::create_directories(folder);
    for (const wchar_t* file : {L"bench_floor_upload.exe", L"p2kapi.dll"}) {
        fs::copy_file(tonvale::bench::besideThisProgram(file), folder / file,
                      fs::copy_options::overwrite_existing);
    }
    writeFile(folder / L"p2kapi.ini",
              "[Phone]\r\nRoot=phone\r\nCapacity=1073741824\r\nAttachDelayMs=0\r\n");
    return folder / L"phone" / L"mobile" / L"picture";
}

Samples measureSet(const fs::path& work, int runs, size_t bytes, size_t count) {
    const fs::path source = work / L"files";
    fs::create_directories(source);
    std::vector<std::wstring> names;
    std::vector<std::string> contents;
    for (size_t i = 0; i < count; ++i) {
        wchar_t name[32] = {};
        std::swprintf(name, 32, L"f%05zu.jpg", i);
        names.push_back(name);
        contents.push_back(contentsOf(bytes, i));
        writeFile(source / name, contents.back());
    }

    RunningTonvale tonvale(work / L"Tonvale", {true, 200, 600, 1ll << 30});
    if (!tonvale.waitForLogLine(L"Connected", 1, 30000)) {
        fail("the phone did not attach");
    }
    tonvale.press(tonvale::IdBitBtn1);
    tonvale.pickInOpenDialog(source, names);
    const std::wstring opened = L"Total: " + std::to_wstring(count) + L" files opened";
    if (!tonvale.waitForLogLine(opened, 1, 120000)) {
        fail("the files were not opened");
    }
    const fs::path onPhone = tonvale.phoneFolder(L"picture");
    const fs::path copies = work / L"copies";
    const fs::path floorFolder = work / L"floor";
    const fs::path onFloorPhone = prepareFloor(floorFolder);
    tonvale::bench::FloorProgram floor(floorFolder / L"bench_floor_upload.exe", {source.wstring()});

    Samples samples;
    for (int run = 0; run < runs; ++run) {
        for (int turn = 0; turn < 3; ++turn) {
            // The floor goes between the two, first after one and then after the other.
            if (turn == 1) {
                emptyFolder(onFloorPhone);
                samples.floor.push_back(floor.run());
                for (size_t i = 0; i < count; ++i) {
                    if (readFile(onFloorPhone / names[i]) != contents[i]) {
                        fail("a file did not arrive whole through the floor");
                    }
                }
            } else if ((turn == 0) == (run % 2 == 0)) {
                emptyFolder(onPhone);
                const Stopwatch watch;
                DWORD_PTR answer = 0;
                if (!SendMessageTimeoutW(tonvale.control(tonvale::IdBitBtn2), BM_CLICK, 0, 0,
                                         SMTO_NORMAL, 600000, &answer)) {
                    fail("the upload did not return");
                }
                samples.upload.push_back(watch.seconds());
                for (size_t i = 0; i < count; ++i) {
                    if (readFile(onPhone / names[i]) != contents[i]) {
                        fail("a file did not arrive whole");
                    }
                }
            } else {
                emptyFolder(copies);
                const Stopwatch watch;
                for (const std::wstring& name : names) {
                    if (!CopyFileW((source / name).c_str(), (copies / name).c_str(), FALSE)) {
                        fail("a file cannot be copied");
                    }
                }
                samples.copy.push_back(watch.seconds());
            }
        }
    }
    tonvale.choose(tonvale::IdExit1);
    tonvale.waitForExit();
    return samples;
}

void print(const char* kind, const std::string& set, const std::vector<double>& samples) {
    std::printf("outside_%s_%s %.6f %.6f %.6f\n", kind, set.c_str(),
                tonvale::bench::median(samples), *std::min_element(samples.begin(), samples.end()),
                *std::max_element(samples.begin(), samples.end()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_outside <runs> <bytes>x<count>...\n");
        return 2;
    }
    try {
        const int runs = std::wcstol(argv[1], nullptr, 10);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        for (int i = 2; i < argc; ++i) {
            wchar_t* rest = nullptr;
            const size_t bytes = std::wcstoul(argv[i], &rest, 10);
            const size_t count = std::wcstoul(rest + 1, nullptr, 10);
            const fs::path work = fs::path(temp) / L"tonvale-bench-outside";
            std::error_code ignored;
            fs::remove_all(work, ignored);
            const Samples samples = measureSet(work, runs, bytes, count);
            const std::string set = std::to_string(count) + "x" + std::to_string(bytes);
            print("upload", set, samples.upload);
            print("floor", set, samples.floor);
            print("copy", set, samples.copy);
            std::fflush(stdout);
            fs::remove_all(work, ignored);
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_outside: %s\n", failure.what());
        return 1;
    }
    return 0;
}
