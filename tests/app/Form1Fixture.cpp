#include "Form1Fixture.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tonvale::testing {

RECT rectInForm(HWND form, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

SIZE buttonPictureSize(HWND button) {
    BUTTON_IMAGELIST images{};
    int width = 0;
    int height = 0;
    if (SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) &&
        images.himl != nullptr) {
        ImageList_GetIconSize(images.himl, &width, &height);
    }
    return SIZE{width, height};
}

Form1Test::Form1Test() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    phoneRoot_ = folder_ / L"phone";
    settingsPath_ = folder_ / L"Tonvale.ini";
}

Form1Test::~Form1Test() {
    form_.reset();
    // Drop what the library may still deliver, then leave no trace on the host.
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 0);
    pumpFor(10);
}

void Form1Test::start(bool phoneAttached) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, phoneAttached ? 1 : 0, 0, 100);
    createForm();
}

void Form1Test::startWithLibrary(const std::string& iniKeys) {
    const fs::path ini = folder_ / L"p2kapi.ini";
    writeBytes(ini, "[Phone]\r\nRoot=phone\r\nAttachDelayMs=0\r\n" + iniKeys);
    P2KTest_ResetFromIni(ini.c_str());
    createForm();
}

void Form1Test::createForm() {
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", false, &tray_});
    loop_.addForm(form_->handle());
}

void Form1Test::startWithOptions() {
    startShown();
    optionsSetup_ = Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests"};
    options_ = std::make_unique<OptionsDialogOnDemand>(GetModuleHandleW(nullptr), *form_,
                                                       optionsSetup_, loop_);
    options_->dialog();
}

void Form1Test::startShown() {
    start();
    form_->show(SW_SHOW);
    SetForegroundWindow(form_->handle());
    pumpUntil([this] { return GetActiveWindow() == form_->handle(); });
    // As the program does once the window waits for input: the hint chains onto the log.
    form_->addHints();
}

void Form1Test::startConnected() {
    start(true);
    ASSERT_TRUE(waitForLogLine(L"Connected"));
}

fs::path Form1Test::localFile(const std::wstring& name, const std::string& bytes) {
    const fs::path file = folder_ / L"local" / name;
    fs::create_directories(file.parent_path());
    writeBytes(file, bytes);
    return file;
}

fs::path Form1Test::onPhone(const wchar_t* folder, const wchar_t* name) const {
    return phoneRoot_ / L"mobile" / folder / name;
}

HWND Form1Test::editName(int row, const wchar_t* name) {
    HWND list = control(L"ListView1");
    SetFocus(list);
    HWND edit = ListView_EditLabel(list, row);
    if (edit != nullptr) {
        SetWindowTextW(edit, name);
    }
    return edit;
}

void Form1Test::typeKey(UINT key, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND target = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(target, WM_KEYUP, key, 1 | scan | (3u << 30));
    pumpFor(20);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

std::wstring Form1Test::focusedName() const {
    HWND focus = GetFocus();
    for (const wchar_t* name :
         {L"TabControl1", L"ListView1", L"BitBtn1", L"BitBtn2", L"Edit1", L"Memo1", L"BitBtn3",
          L"BitBtn4", L"BitBtn11", L"BitBtn9", L"BitBtn10", L"ProgressBar1", L"StatusBar1"}) {
        if (focus != nullptr && focus == control(name)) {
            return name;
        }
    }
    return focus == form_->handle() ? L"the window itself" : L"";
}

HWND Form1Test::control(const wchar_t* name) const {
    return form_->control(name);
}

std::wstring Form1Test::text(const wchar_t* name) const {
    return win::Control(control(name)).text();
}

void Form1Test::press(const wchar_t* button) {
    SendMessageW(control(button), BM_CLICK, 0, 0);
}

void Form1Test::choose(int menuId) {
    SendMessageW(form_->handle(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0);
}

void Form1Test::clickTab(int index) {
    HWND tabs = control(L"TabControl1");
    RECT item{};
    TabCtrl_GetItemRect(tabs, index, &item);
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(tabs, WM_LBUTTONUP, 0, point);
}

std::wstring Form1Test::panel(int index) const {
    return win::StatusBarControl(control(L"StatusBar1")).panelText(index);
}

void Form1Test::openFiles(const std::vector<fs::path>& files, int filterIndex) {
    OpenDialogChoice choice{{}, filterIndex};
    for (const fs::path& file : files) {
        choice.files.push_back(file.wstring());
    }
    prompts_.choices.push_back(choice);
    press(L"BitBtn1");
}

std::vector<std::wstring> Form1Test::rows() const {
    win::ListViewControl list(control(L"ListView1"));
    std::vector<std::wstring> rows;
    for (int i = 0; i < list.itemCount(); ++i) {
        rows.push_back(list.itemText(i, 0) + L"|" + list.itemText(i, 1) + L"|" +
                       list.itemText(i, 2));
    }
    return rows;
}

std::vector<std::wstring> Form1Test::logLines() const {
    return win::EditControl(control(L"Memo1")).lines();
}

int Form1Test::progressMaximum() const {
    return win::ProgressBarControl(control(L"ProgressBar1")).maximum();
}

int Form1Test::progressPosition() const {
    return win::ProgressBarControl(control(L"ProgressBar1")).position();
}

std::string Form1Test::callLog() const {
    const int length = P2KTest_CallLog(nullptr, 0);
    std::string log(static_cast<size_t>(length) + 1, '\0');
    P2KTest_CallLog(log.data(), length + 1);
    log.resize(static_cast<size_t>(length));
    return log;
}

bool Form1Test::pumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        loop_.handlePending();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void Form1Test::pumpFor(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    pumpUntil([until] { return std::chrono::steady_clock::now() >= until; }, milliseconds + 1000);
}

bool Form1Test::waitForLogLine(const std::wstring& line, int count) {
    return pumpUntil([&] {
        const auto lines = logLines();
        return std::count(lines.begin(), lines.end(), line) >= count;
    });
}

}  // namespace tonvale::testing
