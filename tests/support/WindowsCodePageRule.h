// Holds the conversions of the code linked into the test executable to Windows' documented rule
// for UTF-8, which Wine does not enforce: for code page 65001, WideCharToMultiByte takes no flag
// but WC_ERR_INVALID_CHARS (else ERROR_INVALID_FLAGS) and no default character nor its used-flag
// (else ERROR_INVALID_PARAMETER); MultiByteToWideChar takes no flag but MB_ERR_INVALID_CHARS.
#pragma once

#include <windows.h>

#include "ImportHook.h"

namespace tonvale::testing {

class WindowsCodePageRule {
  public:
    WindowsCodePageRule() { active_ = this; }
    ~WindowsCodePageRule() { active_ = nullptr; }
    WindowsCodePageRule(const WindowsCodePageRule&) = delete;
    WindowsCodePageRule& operator=(const WindowsCodePageRule&) = delete;

    bool installed() const { return toNarrow_.installed() && toWide_.installed(); }
    // Calls that Windows would have refused.
    int refusals() const { return refusals_; }

  private:
    static bool isUtf8(UINT codePage) {
        return codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8);
    }
    static int refuse(DWORD error) {
        ++active_->refusals_;
        SetLastError(error);
        return 0;
    }
    static int WINAPI wideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideLength,
                                          LPSTR narrow, int narrowSize, LPCCH defaultChar,
                                          LPBOOL usedDefaultChar) {
        if (isUtf8(codePage)) {
            if ((flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0) {
                return refuse(ERROR_INVALID_FLAGS);
            }
            if (defaultChar != nullptr || usedDefaultChar != nullptr) {
                return refuse(ERROR_INVALID_PARAMETER);
            }
        }
        return reinterpret_cast<decltype(&WideCharToMultiByte)>(active_->toNarrow_.original())(
            codePage, flags, wide, wideLength, narrow, narrowSize, defaultChar, usedDefaultChar);
    }
    static int WINAPI multiByteToWideChar(UINT codePage, DWORD flags, LPCCH narrow,
                                          int narrowLength, LPWSTR wide, int wideSize) {
        if (isUtf8(codePage) && (flags & ~static_cast<DWORD>(MB_ERR_INVALID_CHARS)) != 0) {
            return refuse(ERROR_INVALID_FLAGS);
        }
        return reinterpret_cast<decltype(&MultiByteToWideChar)>(active_->toWide_.original())(
            codePage, flags, narrow, narrowLength, wide, wideSize);
    }

    static inline WindowsCodePageRule* active_ = nullptr;
    int refusals_ = 0;
    ImportHook toNarrow_{"kernel32.dll", "WideCharToMultiByte",
                         reinterpret_cast<void*>(&wideCharToMultiByte)};
    ImportHook toWide_{"kernel32.dll", "MultiByteToWideChar",
                       reinterpret_cast<void*>(&multiByteToWideChar)};
};

}  // namespace tonvale::testing
