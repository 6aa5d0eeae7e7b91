// The main window as the window benchmarks drive it: the real TForm1 over the virtual phone,
// shown, its file dialog answered through the prompts seam; and the files they work on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ConnectionRelay.h"
#include "P2kLibraryPhone.h"
#include "Unit1.h"
#include "win/MessageLoop.h"

namespace tonvale::bench {

// Room for every upload here: 100 MiB at once, with the phone's own files.
inline constexpr int64_t kPhoneCapacity = 1LL << 30;

[[noreturn]] void fail(const std::string& what);

// The file dialog answers with the selection given; nothing else may show a box.
class BenchPrompts final : public UserPrompts {
  public:
    std::vector<std::wstring> selection;
    int errors = 0;

    void showError(HWND, const std::wstring&, const std::wstring&) override { ++errors; }
    void showAbout(const std::wstring&, const std::wstring&) override {}
    void showRefusal(HWND, const std::wstring&, const std::wstring&) override {}
    std::optional<OpenDialogChoice> chooseFiles(HWND, const OpenDialogState&) override {
        return OpenDialogChoice{selection, 1};
    }
};

// The program's main window over the virtual phone, shown as at start-up.
class MainWindow {
  public:
    MainWindow(BenchPrompts& prompts, const std::filesystem::path& settings);

    // Handles what the last action left queued, painting included: the window is idle again.
    void settle();
    void press(const wchar_t* button);
    // Times a button from the press until the window is idle again.
    double timePress(const wchar_t* button);
    std::wstring text(const wchar_t* name) const;
    int rows() const;
    int progress() const;
    void waitForConnection();
    void checkNoErrorBox() const;

  private:
    BenchPrompts& prompts_;
    P2kLibraryPhone phone_{&ConnectionRelay::onConnect};
    TForm1 form_;
    win::MessageLoop loop_;
};

// A folder of its own in the temporary folder, removed at the end.
class WorkFolder {
  public:
    WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder();
    std::filesystem::path operator/(const std::wstring& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// `count` files of `bytes` each in `folder`, named in the order they were made.
std::vector<std::wstring> makeFiles(const std::filesystem::path& folder, int count, int64_t bytes,
                                    const wchar_t* extension);

// The phone's volume in `phoneRoot`, attached at once, and the window connected to it with
// `files` opened (the Picture category, /a/mobile/picture/, is selected at start).
struct UploadSession {
    UploadSession(const std::filesystem::path& phoneRoot, const std::filesystem::path& settings,
                  const std::vector<std::wstring>& files);
    BenchPrompts prompts;
    std::optional<MainWindow> window;
};

}  // namespace tonvale::bench
