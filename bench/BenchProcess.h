// Runs a floor program, a plain program of its own, and reads the seconds it measured inside
// itself from its output: its start and end are not counted.
#pragma once

#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "KernelHandles.h"

namespace tonvale::bench {

inline double secondsPrintedBy(const std::filesystem::path& program,
                               const std::vector<std::wstring>& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        throw std::runtime_error("no pipe for a floor program");
    }
    const OwnedKernelHandle output(readEnd);
    OwnedKernelHandle input(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
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
    const OwnedKernelHandle thread(process.hThread);
    const OwnedKernelHandle child(process.hProcess);
    input.reset();
    std::string text;
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(output.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        text.append(chunk, got);
    }
    WaitForSingleObject(child.get(), 600000);
    DWORD code = 1;
    GetExitCodeProcess(child.get(), &code);
    if (code != 0 || text.empty()) {
        throw std::runtime_error("a floor program failed");
    }
    return std::stod(text);
}

}  // namespace tonvale::bench
