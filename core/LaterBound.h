// Functions of the system libraries the program needs only now and then: the shell's (the
// notification area, files dropped from Explorer), the file dialog's and COM's. Bound at their
// first use rather than when the program is loaded, so that start-up does not load and set up
// those libraries, which under Wine took a good part of it. Also the functions a Windows before
// 10 lacks, which the program uses where they are there.
#pragma once

#include <windows.h>

namespace tonvale {

// The function `name` of the system library `library`, loaded for the rest of the run; null
// when either is missing.
template <typename Function>
Function laterBound(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr && GetLastError() == ERROR_INVALID_PARAMETER) {
        module = LoadLibraryW(library);  // a Windows 7 without the search flags
    }
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tonvale
