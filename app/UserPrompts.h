// The message boxes and the file-open dialog the main window shows. Tests replace them, since a
// modal window would wait for a person.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "OpenDialog.h"

namespace tonvale {

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // The runtime's error box: stop icon and OK, over `owner`.
    virtual void showError(HWND owner, const std::wstring& text, const std::wstring& title) = 0;
    // Information icon and OK with no owner, so the main window stays usable meanwhile.
    virtual void showAbout(const std::wstring& text, const std::wstring& title) = 0;
    // A value the user gave cannot be taken: warning icon and OK, over `owner`.
    virtual void showRefusal(HWND owner, const std::wstring& text, const std::wstring& title) = 0;
    // The files the user picks; nothing when the dialog is cancelled.
    virtual std::optional<OpenDialogChoice> chooseFiles(HWND owner,
                                                        const OpenDialogState& state) = 0;
};

class SystemPrompts final : public UserPrompts {
  public:
    void showError(HWND owner, const std::wstring& text, const std::wstring& title) override {
        MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
    }
    void showAbout(const std::wstring& text, const std::wstring& title) override {
        MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
    }
    void showRefusal(HWND owner, const std::wstring& text, const std::wstring& title) override {
        MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
    }
    std::optional<OpenDialogChoice> chooseFiles(HWND owner, const OpenDialogState& state) override {
        return runOpenDialog(owner, state);
    }
};

}  // namespace tonvale
