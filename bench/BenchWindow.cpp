#include "BenchWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "BenchClock.h"
#include "p2kapi_test.h"
#include "win/Controls.h"

namespace tonvale::bench {

namespace fs = std::filesystem;

void fail(const std::string& what) {
    throw std::runtime_error(what);
}

MainWindow::MainWindow(BenchPrompts& prompts, const fs::path& settings)
    : prompts_(prompts),
      form_(GetModuleHandleW(nullptr), Form1Setup{&phone_, &prompts, settings, L"bench", false}) {
    loop_.addForm(form_.handle());
    form_.show(SW_SHOWNOACTIVATE);
    settle();
}

void MainWindow::settle() {
    loop_.handlePending();
    UpdateWindow(form_.handle());
}

void MainWindow::press(const wchar_t* button) {
    SendMessageW(form_.control(button), BM_CLICK, 0, 0);
}

double MainWindow::timePress(const wchar_t* button) {
    const Stopwatch watch;
    press(button);
    settle();
    return watch.seconds();
}

std::wstring MainWindow::text(const wchar_t* name) const {
    return win::Control(form_.control(name)).text();
}

int MainWindow::rows() const {
    return win::ListViewControl(form_.control(L"ListView1")).itemCount();
}

int MainWindow::progress() const {
    return win::ProgressBarControl(form_.control(L"ProgressBar1")).position();
}

void MainWindow::waitForConnection() {
    const Stopwatch watch;
    // The connection report fills the free-space figure last.
    while (text(L"Edit3").empty()) {
        if (watch.seconds() > 10) {
            fail("the virtual phone did not connect");
        }
        loop_.handlePending();
        Sleep(2);
    }
}

void MainWindow::checkNoErrorBox() const {
    if (prompts_.errors != 0) {
        fail("the window showed an error box");
    }
}

WorkFolder::WorkFolder()
    : path_(fs::temp_directory_path() /
            (L"tonvale-bench-" + std::to_wstring(GetCurrentProcessId()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
}

WorkFolder::~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

namespace {

void writeFile(const fs::path& file, int64_t bytes, unsigned seed) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fail("cannot create " + file.string());
    }
    std::vector<unsigned char> piece(static_cast<size_t>(std::min<int64_t>(bytes, 1 << 20)));
    for (size_t i = 0; i < piece.size(); ++i) {
        piece[i] = static_cast<unsigned char>(i * 131 + seed * 17 + i / 977);
    }
    bool written = true;
    for (int64_t left = bytes; left > 0 && written;) {
        const DWORD size = static_cast<DWORD>(std::min<int64_t>(left, piece.size()));
        DWORD done = 0;
        written = WriteFile(handle, piece.data(), size, &done, nullptr) && done == size;
        left -= size;
    }
    CloseHandle(handle);
    if (!written) {
        fail("cannot write " + file.string());
    }
}

}  // namespace

std::vector<std::wstring> makeFiles(const fs::path& folder, int count, int64_t bytes,
                                    const wchar_t* extension) {
    fs::create_directories(folder);
    std::vector<std::wstring> files;
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        std::swprintf(name, std::size(name), L"file%05d%ls", i, extension);
        const fs::path file = folder / name;
        writeFile(file, bytes, static_cast<unsigned>(i));
        files.push_back(file.wstring());
    }
    return files;
}

UploadSession::UploadSession(const fs::path& phoneRoot, const fs::path& settings,
                             const std::vector<std::wstring>& files) {
    P2KTest_Reset(phoneRoot.c_str(), "E398", kPhoneCapacity, 1, 0, 0);
    prompts.selection = files;
    window.emplace(prompts, settings);
    window->waitForConnection();
    window->press(L"BitBtn1");
    window->settle();
    if (window->rows() != static_cast<int>(files.size())) {
        fail("Open did not list every file");
    }
}

}  // namespace tonvale::bench
