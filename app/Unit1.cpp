#include "Unit1.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>
#include <utility>

#include "ConnectionRelay.h"
#include "ConnectionReport.h"
#include "MediaCategories.h"
#include "PhoneCommands.h"
#include "RuntimeError.h"
#include "SettingsFile.h"
#include "SettingsPaths.h"
#include "Version.h"
#include "win/Pictures.h"

namespace tonvale {

namespace {

constexpr wchar_t kWindowClass[] = L"TForm1";
constexpr int kFileColumnsOtherWidth = 50;
constexpr int kPanelWidths[] = {100, 80, 170, 50};

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, kWindowClass, &windowClass)) {
        return;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"MAINICON");
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass)) {
        throw std::runtime_error("the main window class cannot be registered");
    }
}

win::OwnedFont createFormFont() {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return win::OwnedFont(CreateFontW(
        height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
}

// A group box leaves its inside unpainted for its parent to fill, but the form clips its
// children, so the box fills it with the face colour itself before drawing its frame.
LRESULT CALLBACK groupBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT || message == WM_PRINTCLIENT) {
        RECT client{};
        GetClientRect(window, &client);
        HDC dc = message == WM_PAINT ? GetDC(window) : reinterpret_cast<HDC>(wParam);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        if (message == WM_PAINT) {
            ReleaseDC(window, dc);
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &groupBoxProcedure, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

std::wstring widen(const char* text) {
    std::wstring wide;
    for (; *text != '\0'; ++text) {
        wide.push_back(static_cast<unsigned char>(*text));
    }
    return wide;
}

}  // namespace

const std::array<TForm1::Route, 21> TForm1::routes_{{
    {IdBitBtn1, &TForm1::BitBtn1Click},
    {IdOpenfiles1, &TForm1::Openfiles1Click},
    {IdBitBtn2, &TForm1::BitBtn2Click},
    {IdUploadfiles1, &TForm1::Uploadfiles1Click},
    {IdBitBtn4, &TForm1::BitBtn4Click},
    {IdConnect2, &TForm1::Connect2Click},
    {IdConnect1, &TForm1::Connect1Click},
    {IdBitBtn3, &TForm1::BitBtn3Click},
    {Idupdaterings2, &TForm1::updaterings2Click},
    {IdUpdaterings1, &TForm1::Updaterings1Click},
    {IdBitBtn11, &TForm1::BitBtn11Click},
    {IdRestart1, &TForm1::Restart1Click},
    {IdRestartphone1, &TForm1::Restartphone1Click},
    {IdBitBtn9, &TForm1::BitBtn9Click},
    {IdBitBtn10, &TForm1::BitBtn10Click},
    {IdOptions1, &TForm1::Options1Click},
    {IdAbout1, &TForm1::About1Click},
    {IdAbout2, &TForm1::About2Click},
    {IdExit1, &TForm1::Exit1Click},
    {IdExit2, &TForm1::Exit2Click},
    {IdShowprogram1, &TForm1::Showprogram1Click},
}};

TForm1::TForm1(HINSTANCE instance, Form1Setup setup)
    : instance_(instance), setup_(std::move(setup)), font_(createFormFont()) {
    registerWindowClass(instance_, &TForm1::windowProcedure);
    constexpr DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, kForm1ClientWidth, kForm1ClientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int left = workArea.left + (workArea.right - workArea.left - width) / 2;
    const int top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, kForm1Caption, style, left, top, width,
                    height, nullptr, nullptr, instance_, this);
    if (handle_ == nullptr) {
        throw std::runtime_error("the main window cannot be created");
    }
}

TForm1::~TForm1() {
    if (handle_ != nullptr) {
        closing_ = true;
        ConnectionRelay::detach();
        DestroyWindow(handle_);
    }
}

void TForm1::show(int showCommand) {
    ShowWindow(handle_, showCommand);
    UpdateWindow(handle_);
}

HWND TForm1::control(std::wstring_view name) const {
    const auto descriptions = form1Controls();
    for (size_t i = 0; i < descriptions.size(); ++i) {
        if (name == descriptions[i].name) {
            return controls_[i];
        }
    }
    return nullptr;
}

LRESULT CALLBACK TForm1::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return form->handleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code; commands report their own failures.
        // A window whose controls could not all be made is not created at all.
        return message == WM_CREATE ? -1 : DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            createControls();
            createMenus();
            fitClientArea();
            ConnectionRelay::attach(handle_, WM_PHONE_CONNECTED);
            runCommand(&TForm1::FormCreate);
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const bool fromMenu = lParam == 0 && HIWORD(wParam) == 0;
            const bool clicked = lParam != 0 && HIWORD(wParam) == BN_CLICKED;
            if (fromMenu || clicked) {
                for (const Route& route : routes_) {
                    if (route.id == id) {
                        runCommand(route.handler);
                        return 0;
                    }
                }
            }
            break;
        }
        case WM_NOTIFY:
            return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            // The log pane has the colour of the menu bar.
            if (reinterpret_cast<HWND>(lParam) == Memo1.handle()) {
                auto dc = reinterpret_cast<HDC>(wParam);
                SetBkColor(dc, GetSysColor(COLOR_MENUBAR));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENUBAR));
            }
            break;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                applyAnchors(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            }
            return 0;
        case WM_PHONE_CONNECTED:
            onPhoneConnected();
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_DESTROY:
            closing_ = true;
            ConnectionRelay::detach();
            if (setup_.endsProgramOnClose) {
                PostQuitMessage(0);
            }
            return 0;
        case WM_NCDESTROY: {
            HWND window = std::exchange(handle_, nullptr);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void TForm1::createControls() {
    tabImages_ = win::loadPictureList(
        instance_, {L"TAB_PICTURE", L"TAB_MUSIC", L"TAB_VIDEO", L"TAB_PALETTE", L"TAB_MENU"});
    const auto descriptions = form1Controls();
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const ControlDescription& description = descriptions[i];
        const RECT place = designRectInForm(description);
        HWND child = CreateWindowExW(
            description.exStyle, description.windowClass, description.text, description.style,
            place.left, place.top, place.right - place.left, place.bottom - place.top, handle_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(description.id)), instance_, nullptr);
        if (child == nullptr) {
            throw std::runtime_error("a control of the main window cannot be created");
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if ((description.style & BS_TYPEMASK) == BS_GROUPBOX &&
            description.windowClass == std::wstring_view(L"Button")) {
            SetWindowSubclass(child, &groupBoxProcedure, 0, 0);
        }
        if (description.picture != nullptr) {
            buttonImages_.push_back(win::loadPictureList(instance_, {description.picture}));
            BUTTON_IMAGELIST images{
                buttonImages_.back().get(), {4, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
            SendMessageW(child, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
        }
        controls_[i] = child;
    }

    TabControl1 = win::TabControl(control(L"TabControl1"));
    ListView1 = win::ListViewControl(control(L"ListView1"));
    Edit1 = win::EditControl(control(L"Edit1"));
    Memo1 = win::EditControl(control(L"Memo1"));
    Edit2 = win::EditControl(control(L"Edit2"));
    Edit3 = win::EditControl(control(L"Edit3"));
    ProgressBar1 = win::ProgressBarControl(control(L"ProgressBar1"));
    StatusBar1 = win::StatusBarControl(control(L"StatusBar1"));

    // The tab control and the group boxes lie beneath the controls they hold.
    for (const wchar_t* name : {L"GroupBox2", L"GroupBox3", L"GroupBox4", L"TabControl1"}) {
        SetWindowPos(control(name), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    TabCtrl_SetImageList(TabControl1.handle(), tabImages_.get());
    const auto categories = mediaCategories();
    for (size_t i = 0; i < categories.size(); ++i) {
        TabControl1.addTab(static_cast<int>(i), std::wstring(categories[i].caption),
                           static_cast<int>(i));
    }

    ListView_SetExtendedListViewStyle(ListView1.handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ListView1.addColumn(0, L"File(s)", 100);
    ListView1.addColumn(1, L"Type", kFileColumnsOtherWidth);
    ListView1.addColumn(2, L"Size", kFileColumnsOtherWidth);
    fitFileColumn();

    // The log keeps everything it is given; an edit holds 32K characters unless told.
    SendMessageW(Memo1.handle(), EM_SETLIMITTEXT, 0, 0);
    HWND hint = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                handle_, nullptr, instance_, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle_;
    tool.uId = reinterpret_cast<UINT_PTR>(Memo1.handle());
    tool.lpszText = const_cast<wchar_t*>(L"Log file");
    SendMessageW(hint, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    StatusBar1.setPanelWidths({std::begin(kPanelWidths), std::end(kPanelWidths)});
    ProgressBar1.setMaximum(100);
    ProgressBar1.setPosition(0);
}

void TForm1::createMenus() {
    auto addItems = [this](HMENU menu, std::span<const MenuItemDescription> items) {
        for (const MenuItemDescription& item : items) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            if (item.id == 0) {
                info.fMask = MIIM_FTYPE;
                info.fType = MFT_SEPARATOR;
            } else {
                info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
                info.wID = static_cast<UINT>(item.id);
                info.dwTypeData = const_cast<wchar_t*>(item.text);
                info.fState = item.enabled ? MFS_ENABLED : MFS_DISABLED;
                if (item.picture != nullptr) {
                    menuPictures_.push_back(win::loadMenuPicture(instance_, item.picture));
                    info.fMask |= MIIM_BITMAP;
                    info.hbmpItem = menuPictures_.back().get();
                }
            }
            InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
        }
    };

    mainMenu_.reset(CreateMenu());
    for (const MenuDescription& menu : mainMenu1()) {
        win::OwnedMenu submenu(CreatePopupMenu());
        addItems(submenu.get(), menu.items);
        // The menu bar destroys its submenus with itself.
        AppendMenuW(mainMenu_.get(), MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(submenu.release()), menu.text);
    }
    popupMenu_.reset(CreatePopupMenu());
    addItems(popupMenu_.get(), popupMenu1());
    SetMenu(handle_, mainMenu_.get());
}

void TForm1::fitClientArea() {
    // The menu bar can wrap, so measure the client area rather than trusting the estimate.
    RECT client{};
    GetClientRect(handle_, &client);
    const int dx = kForm1ClientWidth - client.right;
    const int dy = kForm1ClientHeight - client.bottom;
    if (dx != 0 || dy != 0) {
        RECT window{};
        GetWindowRect(handle_, &window);
        SetWindowPos(handle_, nullptr, window.left - dx / 2, window.top - dy / 2,
                     window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm1::applyAnchors(int clientWidth, int clientHeight) {
    const int dx = clientWidth - kForm1ClientWidth;
    const int dy = clientHeight - kForm1ClientHeight;
    const auto descriptions = form1Controls();
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const ControlDescription& description = descriptions[i];
        if (controls_[i] == nullptr || (description.style & WS_VISIBLE) == 0) {
            continue;
        }
        RECT place = designRectInForm(description);
        if (description.anchors & AnchorRight) {
            place.right += dx;
            if (!(description.anchors & AnchorLeft)) {
                place.left += dx;
            }
        }
        if (description.anchors & AnchorBottom) {
            place.bottom += dy;
            if (!(description.anchors & AnchorTop)) {
                place.top += dy;
            }
        }
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fitFileColumn();
}

void TForm1::fitFileColumn() {
    if (ListView1.handle() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(ListView1.handle(), &client);
    ListView1.setColumnWidth(0, client.right - 2 * kFileColumnsOtherWidth);
}

LRESULT TForm1::onNotify(const NMHDR& header) {
    if (header.idFrom == IdTabControl1 && header.code == TCN_SELCHANGE) {
        runCommand(&TForm1::TabControl1Change);
        return 0;
    }
    if (header.idFrom == IdListView1 && header.code == LVN_ENDLABELEDITW) {
        // A name edited in place is taken; a cancelled edit keeps the old one.
        const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
        return edit.item.pszText != nullptr ? TRUE : FALSE;
    }
    return 0;
}

void TForm1::onPhoneConnected() {
    if (closing_) {
        return;
    }
    if (commandDepth_ > 0) {
        ++waitingNotifications_;
        return;
    }
    reportConnectedPhone(*setup_.phone, *this);
}

void TForm1::handleWaitingNotifications() {
    while (waitingNotifications_ > 0 && commandDepth_ == 0 && !closing_) {
        --waitingNotifications_;
        reportConnectedPhone(*setup_.phone, *this);
    }
}

void TForm1::close() {
    if (handle_ == nullptr || closing_) {
        return;
    }
    closing_ = true;
    ConnectionRelay::detach();
    DestroyWindow(handle_);
}

void TForm1::runCommand(Handler handler) {
    ++commandDepth_;
    try {
        (this->*handler)();
    } catch (...) {
        showFailure(std::current_exception());
    }
    --commandDepth_;
    handleWaitingNotifications();
}

void TForm1::showFailure(std::exception_ptr failure) {
    std::wstring message;
    try {
        std::rethrow_exception(failure);
    } catch (const RuntimeError& error) {
        message = error.message();
    } catch (const SettingsFileError& error) {
        message = error.message();
    } catch (const std::exception& error) {
        message = widen(error.what());
    } catch (...) {
        message = L"Unknown failure";
    }
    setup_.prompts->showError(handle_, errorBoxText(message), setup_.programTitle);
}

// Creation: register with the phone library, take the dialog's starting folder from the
// settings file (saving it back at once), select the first category and show the status.
void TForm1::FormCreate() {
    setup_.phone->registerConnectionHandler();
    SettingsFile settings = SettingsFile::load(setup_.settingsPath);
    openDialog_.initialDir =
        normalizeInitialDir(settings.readString(L"Options", L"InitialDir", L""));
    settings.save();
    TabControl1.select(0);
    applyCategory(0);
    StatusBar1.setPanelText(0, L"Status: Dinnected");
}

void TForm1::TabControl1Change() {
    applyCategory(TabControl1.selected());
}

void TForm1::applyCategory(int index) {
    const auto categories = mediaCategories();
    if (index < 0 || static_cast<size_t>(index) >= categories.size()) {
        return;
    }
    const MediaCategory& category = categories[static_cast<size_t>(index)];
    openDialog_.filter = dialogFilterString(category.filter);
    Edit1.setText(std::wstring(category.phoneFolder));
}

void TForm1::setStatusPanel(int panel, const std::wstring& text) {
    StatusBar1.setPanelText(panel, text);
}

void TForm1::appendLog(const std::wstring& line) {
    Memo1.appendLine(line);
}

void TForm1::setFreeSpaceFigure(const std::wstring& text) {
    Edit3.setText(text);
}

void TForm1::resetProgress() {
    ProgressBar1.setMaximum(0);
    ProgressBar1.setPosition(0);
}

void TForm1::BitBtn1Click() {
    openCommand();
}
void TForm1::Openfiles1Click() {
    openCommand();
}
void TForm1::BitBtn2Click() {
    uploadCommand();
}
void TForm1::Uploadfiles1Click() {
    uploadCommand();
}
void TForm1::BitBtn4Click() {
    connectCommand();
}
void TForm1::Connect2Click() {
    connectCommand();
}
void TForm1::Connect1Click() {
    connectCommand();
}
void TForm1::BitBtn3Click() {
    updateRingsCommand();
}
void TForm1::updaterings2Click() {
    updateRingsCommand();
}
void TForm1::Updaterings1Click() {
    updateRingsCommand();
}
void TForm1::BitBtn11Click() {
    restartCommand();
}
void TForm1::Restart1Click() {
    restartCommand();
}
void TForm1::Restartphone1Click() {
    restartCommand();
}
void TForm1::About1Click() {
    aboutCommand();
}
void TForm1::About2Click() {
    aboutCommand();
}
void TForm1::Exit1Click() {
    close();
}
void TForm1::Exit2Click() {
    close();
}

// Clear files list: the list, then the pending total and the free-space figure.
void TForm1::BitBtn9Click() {
    ListView1.deleteAllItems();
    Edit2.setText(L"");
    Edit3.setText(L"");
}

// Clear log file.
void TForm1::BitBtn10Click() {
    Memo1.setText(L"");
}

void TForm1::connectCommand() {
    connectPhone(*setup_.phone, *this);
}
void TForm1::restartCommand() {
    restartPhone(*setup_.phone, *this);
}
void TForm1::updateRingsCommand() {
    updateRings(*setup_.phone, *this);
}

void TForm1::aboutCommand() {
    setup_.prompts->showAbout(kAboutText, kAboutTitle);
}

// Not yet built: the file list, the upload, the Options dialog and tray mode.
void TForm1::openCommand() {}
void TForm1::uploadCommand() {}
void TForm1::Options1Click() {}
void TForm1::Showprogram1Click() {}

}  // namespace tonvale
