#include "RunningTonvale.h"

#include <commctrl.h>
#include <dlgs.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "Form1Layout.h"
#include "OtherProcessWindows.h"

namespace tonvale::e2e {

using testing::findWindowOf;
using testing::windowText;

namespace {

constexpr const wchar_t* kOpenDialogTitle = L"Open media file(s) for upload to phone";

fs::path besideThisDriver(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return fs::path(path).parent_path() / name;
}

// Memory in the program's process, for the control messages that carry a pointer: those are not
// carried across processes the way WM_GETTEXT is.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t bytes)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
        if (address_ == nullptr) {
            throw std::runtime_error("no memory in the program's process");
        }
    }
    ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* address(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    LPARAM param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(address(offset)); }
    void write(const void* data, size_t bytes, size_t offset = 0) const {
        WriteProcessMemory(process_, address(offset), data, bytes, nullptr);
    }
    void read(void* data, size_t bytes, size_t offset = 0) const {
        ReadProcessMemory(process_, address(offset), data, bytes, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

void setWindowText(HWND window, const std::wstring& text) {
    sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void writeText(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

RunningTonvale::RunningTonvale(const fs::path& folder, const PhoneSettings& phone)
    : folder_(folder) {
    fs::create_directories(folder_);
    for (const wchar_t* file : {L"Tonvale.exe", L"p2kapi.dll"}) {
        fs::copy_file(besideThisDriver(file), folder_ / file, fs::copy_options::overwrite_existing);
    }
    writeText(
        folder_ / L"p2kapi.ini",
        "[Phone]\r\nRoot=phone\r\nLabel=E398\r\nCapacity=" + std::to_string(phone.capacityBytes) +
            "\r\nAttached=" + (phone.attached ? "1" : "0") +
            "\r\nAttachDelayMs=" + std::to_string(phone.attachDelayMs) +
            "\r\nRestartDelayMs=" + std::to_string(phone.restartDelayMs) + "\r\n");

    const std::wstring program = (folder_ / L"Tonvale.exe").wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_)) {
        throw std::runtime_error("Tonvale.exe cannot be started");
    }
    waitUntil([this] {
        window_ = findWindowOf(process_.dwProcessId, L"TForm1", nullptr);
        return window_ != nullptr;
    });
    if (window_ == nullptr) {
        throw std::runtime_error("Tonvale's window did not come up");
    }
}

RunningTonvale::~RunningTonvale() {
    if (waitForExit(0) == -1) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        if (waitForExit(5000) == -1) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
        }
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

fs::path RunningTonvale::phoneFolder(const wchar_t* category) const {
    return folder_ / L"phone" / L"mobile" / category;
}

void RunningTonvale::press(int buttonId) const {
    PostMessageW(control(buttonId), BM_CLICK, 0, 0);
}

void RunningTonvale::choose(int menuItemId) const {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(menuItemId, 0), 0);
}

void RunningTonvale::clickTab(int index) const {
    HWND tabs = control(IdTabControl1);
    RemoteBuffer remote(process_.hProcess, sizeof(RECT));
    sendTo(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), remote.param());
    RECT item{};
    remote.read(&item, sizeof item);
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    sendTo(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    sendTo(tabs, WM_LBUTTONUP, 0, point);
}

std::wstring RunningTonvale::text(int controlId) const {
    return windowText(control(controlId));
}

std::vector<std::wstring> RunningTonvale::logLines() const {
    return testing::linesOf(text(IdMemo1));
}

std::wstring RunningTonvale::panel(int index) const {
    HWND status = control(IdStatusBar1);
    const auto length = static_cast<size_t>(
        LOWORD(sendTo(status, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0)));
    RemoteBuffer remote(process_.hProcess, (length + 1) * sizeof(wchar_t));
    sendTo(status, SB_GETTEXTW, static_cast<WPARAM>(index), remote.param());
    std::wstring text(length, L'\0');
    remote.read(text.data(), length * sizeof(wchar_t));
    return text;
}

std::vector<std::wstring> RunningTonvale::rows() const {
    HWND list = control(IdListView1);
    constexpr size_t kCharacters = 1024;
    RemoteBuffer remote(process_.hProcess, sizeof(LVITEMW) + kCharacters * sizeof(wchar_t));
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(sendTo(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring line;
        for (int column = 0; column < 3; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = kCharacters;
            item.pszText = static_cast<wchar_t*>(remote.address(sizeof(LVITEMW)));
            remote.write(&item, sizeof item);
            const auto length = static_cast<size_t>(
                sendTo(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), remote.param()));
            std::wstring cell(length, L'\0');
            remote.read(cell.data(), length * sizeof(wchar_t), sizeof(LVITEMW));
            line += (column == 0 ? L"" : L"|") + cell;
        }
        rows.push_back(line);
    }
    return rows;
}

int RunningTonvale::progressMaximum() const {
    return static_cast<int>(sendTo(control(IdProgressBar1), PBM_GETRANGE, FALSE, 0));
}

int RunningTonvale::progressPosition() const {
    return static_cast<int>(sendTo(control(IdProgressBar1), PBM_GETPOS, 0, 0));
}

HWND RunningTonvale::findDialog(const wchar_t* title, int timeoutMs) const {
    HWND dialog = nullptr;
    waitUntil(
        [&] {
            dialog = findWindowOf(process_.dwProcessId, L"#32770", title);
            return dialog != nullptr;
        },
        timeoutMs);
    return dialog;
}

void RunningTonvale::pickInOpenDialog(const fs::path& folder,
                                      const std::vector<std::wstring>& names) const {
    HWND dialog = findDialog(kOpenDialogTitle, 10000);
    if (dialog == nullptr) {
        throw std::runtime_error("the Open dialog did not come up");
    }
    HWND nameBox = GetDlgItem(dialog, cmb13);
    // A folder typed into the name box opens it, as it does for a user.
    if (!folder.empty()) {
        setWindowText(nameBox, folder.wstring());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        waitUntil([&] { return windowText(nameBox).empty(); }, 5000);
    }
    std::wstring selection;
    for (const std::wstring& name : names) {
        selection += (names.size() == 1 ? name : L"\"" + name + L"\" ");
    }
    setWindowText(nameBox, selection);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    if (!waitUntil([&] { return !IsWindow(dialog); })) {
        throw std::runtime_error("the Open dialog did not take the selection");
    }
}

std::wstring RunningTonvale::answerMessageBox() const {
    HWND box = findDialog(L"Tonvale", 10000);
    if (box == nullptr) {
        return L"(no message box)";
    }
    const std::wstring message = windowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    waitUntil([&] { return !IsWindow(box); }, 5000);
    return message;
}

bool RunningTonvale::waitForLogLine(const std::wstring& line, int count, int timeoutMs) const {
    return waitUntil(
        [&] {
            int seen = 0;
            for (const std::wstring& logged : logLines()) {
                seen += logged == line ? 1 : 0;
            }
            return seen >= count;
        },
        timeoutMs);
}

int RunningTonvale::waitForExit(int timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace tonvale::e2e
