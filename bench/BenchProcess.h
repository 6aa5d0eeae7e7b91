// A floor program, a plain program of its own, run beside the benchmark for the whole of a
// measurement, as the program it is held against runs: its first run counts, and later ones
// find it warm as they find the program. Each line written to it asks for one run; it answers
// with the seconds it measured inside itself, a line a run.
#pragma once

#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "KernelHandles.h"

namespace tonvale::bench {

// A file beside the benchmark's own program, as the floors and the program are built.
inline std::filesystem::path besideThisProgram(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return std::filesystem::path(path).parent_path() / name;
}

class FloorProgram {
  public:
    FloorProgram(const std::filesystem::path& program, const std::vector<std::wstring>& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childOut = nullptr;
        HANDLE childIn = nullptr;
        HANDLE ours = nullptr;
        HANDLE theirs = nullptr;
        if (!CreatePipe(&ours, &childOut, &inherit, 0) ||
            !CreatePipe(&childIn, &theirs, &inherit, 0)) {
            throw std::runtime_error("no pipes for a floor program");
        }
        fromChild_.reset(ours);
        toChild_.reset(theirs);
        const OwnedKernelHandle childOutEnd(childOut);
        const OwnedKernelHandle childInEnd(childIn);
        SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(theirs, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        std::wstring commandLine = L"\"" + program.wstring() + L"\"";
        for (const std::wstring& argument : arguments) {
            commandLine += L" \"" + argument + L"\"";
        }
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            program.parent_path().c_str(), &startup, &process)) {
            throw std::runtime_error("a floor program cannot be started");
        }
        CloseHandle(process.hThread);
        process_.reset(process.hProcess);
    }
    FloorProgram(const FloorProgram&) = delete;
    FloorProgram& operator=(const FloorProgram&) = delete;
    // The end of its input ends it.
    ~FloorProgram() {
        toChild_.reset();
        WaitForSingleObject(process_.get(), 60000);
    }

    // One run, as `request` asks, and the seconds it took.
    double run(const std::string& request = "run") {
        const std::string line = request + "\n";
        DWORD written = 0;
        if (!WriteFile(toChild_.get(), line.data(), static_cast<DWORD>(line.size()), &written,
                       nullptr)) {
            throw std::runtime_error("a floor program has gone");
        }
        std::string answer;
        char c = 0;
        DWORD got = 0;
        while (ReadFile(fromChild_.get(), &c, 1, &got, nullptr) && got == 1 && c != '\n') {
            answer.push_back(c);
        }
        if (answer.empty() || answer[0] == 'x') {
            throw std::runtime_error("a floor program failed: " + answer);
        }
        return std::stod(answer);
    }

  private:
    OwnedKernelHandle process_;
    OwnedKernelHandle toChild_;
    OwnedKernelHandle fromChild_;
};

}  // namespace tonvale::bench
