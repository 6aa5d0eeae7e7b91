// The real Tonvale.exe, started in a folder of its own beside the virtual phone and driven from
// outside as a user drives it: buttons and menu items by message, the real file-open dialog
// filled in, message boxes answered, and the window's texts read back.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tonvale::e2e {

namespace fs = std::filesystem;

// What the virtual phone is told in its p2kapi.ini.
struct PhoneSettings {
    bool attached = true;
    int attachDelayMs = 200;
    int restartDelayMs = 600;
    long long capacityBytes = 64ll << 20;
};

class RunningTonvale {
  public:
    // Copies Tonvale.exe and p2kapi.dll (found beside this driver) into `folder`, writes the
    // phone's settings and starts the program; waits for its main window.
    RunningTonvale(const fs::path& folder, const PhoneSettings& phone = {});
    ~RunningTonvale();
    RunningTonvale(const RunningTonvale&) = delete;
    RunningTonvale& operator=(const RunningTonvale&) = delete;

    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    fs::path phoneFolder(const wchar_t* category) const;
    fs::path settingsFile() const { return folder_ / L"Tonvale.ini"; }

    // Presses a button of the main window, or chooses a menu item, without waiting for the
    // command to finish (it may open a dialog).
    void press(int buttonId) const;
    void choose(int menuItemId) const;
    // Clicks a category tab where it is drawn.
    void clickTab(int index) const;

    std::wstring text(int controlId) const;
    std::vector<std::wstring> logLines() const;
    std::wstring panel(int index) const;
    std::vector<std::wstring> rows() const;
    int progressMaximum() const;
    int progressPosition() const;

    // Waits for Open's dialog, types `folder` (unless empty) and then the names into its name
    // box, as a user would, and confirms.
    void pickInOpenDialog(const fs::path& folder, const std::vector<std::wstring>& names) const;
    // The text of the program's message box that comes up next, dismissed with OK.
    std::wstring answerMessageBox() const;

    // Waits until the log holds `line` at least `count` times.
    bool waitForLogLine(const std::wstring& line, int count = 1, int timeoutMs = 10000) const;
    // Waits until the program has ended; its exit code, or -1 when it did not end in time.
    int waitForExit(int timeoutMs = 10000);

  private:
    HWND findDialog(const wchar_t* title, int timeoutMs) const;

    fs::path folder_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Polls `done` until it holds or `timeoutMs` pass; true when it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

}  // namespace tonvale::e2e
