#include "Unit1.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <utility>

#include "ConnectionRelay.h"
#include "ConnectionReport.h"
#include "Failure.h"
#include "MediaCategories.h"
#include "OpenFiles.h"
#include "PhoneCommands.h"
#include "RuntimeError.h"
#include "StartingFolder.h"
#include "Upload.h"
#include "Version.h"
#include "win/Menus.h"
#include "win/Pictures.h"

namespace tonvale {

namespace {

constexpr int kFileColumnsOtherWidth = 50;
constexpr int kPanelWidths[] = {100, 80, 170, 50};
constexpr ULONGLONG kRefreshIntervalMs = 100;

// Files dropped on the list reach the form, which adds them as an Open does. A plain subclass
// that keeps the list's own procedure in the list's user data: Wine's SetWindowSubclass finds
// its chain through a window property, a round trip to the Wine server at every message, and
// Open sends the list seven messages a file.
LRESULT CALLBACK fileDropProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        return SendMessageW(GetParent(window), WM_DROPFILES, wParam, lParam);
    }
    const auto listProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return CallWindowProcW(listProcedure, window, message, wParam, lParam);
}

std::vector<std::wstring> droppedFiles(HDROP drop) {
    std::vector<std::wstring> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring file(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        file.resize(DragQueryFileW(drop, i, file.data(), static_cast<UINT>(file.size())));
        files.push_back(std::move(file));
    }
    return files;
}

// Keeps a control from drawing while many changes are made, then draws it once.
class DrawingPaused {
  public:
    explicit DrawingPaused(HWND control) : control_(control) {
        SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    }
    ~DrawingPaused() {
        SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control_, nullptr, TRUE);
    }
    DrawingPaused(const DrawingPaused&) = delete;
    DrawingPaused& operator=(const DrawingPaused&) = delete;

  private:
    HWND control_;
};

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
    : Form(instance, form1Description()),
      setup_(std::move(setup)),
      files_(localeCollation(), this),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
    create();
}

TForm1::~TForm1() {
    closing_ = true;
    if (handle() != nullptr) {
        ConnectionRelay::detach(handle());
    }
    destroy();
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (deferWhileBusy(message, wParam, lParam)) {
        return 0;
    }
    if (message == taskbarCreatedMessage_ && message != 0) {
        onTaskbarCreated();
        return 0;
    }
    switch (message) {
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
        case WM_PHONE_CONNECTED:
            onPhoneConnected();
            return 0;
        case WM_SETCURSOR:
            if (busy_ != nullptr) {
                SetCursor(win::BusyScope::cursor());
                return TRUE;
            }
            break;
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wParam);
            droppedFiles_ = droppedFiles(drop);
            DragFinish(drop);
            runCommand(&TForm1::ListView1DragDrop);
            return 0;
        }
        case WM_SYSCOMMAND:
            return WMSysCommand(wParam, lParam);
        case WM_TRAY_ICON:
            RxTrayIcon1Message(static_cast<UINT>(lParam));
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_DESTROY:
            closing_ = true;
            ConnectionRelay::detach(handle());
            removeTrayIcon();
            // A window whose creation failed ends nothing: start-up reports the failure.
            if (setup_.endsProgramOnClose && created_) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

void TForm1::onCreate() {
    setUpControls();
    popupMenu_ = win::buildPopupMenu(instance(), popupMenu1(), popupPictures_);
    ConnectionRelay::attach(handle(), WM_PHONE_CONNECTED);
    runCommand(&TForm1::FormCreate);
    created_ = true;
}

void TForm1::onResized() {
    fitFileColumn();
}

void TForm1::onFailure(std::exception_ptr failure) {
    showFailure(failure);
}

void TForm1::setUpControls() {
    TabControl1 = win::TabControl(control(L"TabControl1"));
    ListView1 = win::ListViewControl(control(L"ListView1"));
    Edit1 = win::EditControl(control(L"Edit1"));
    Memo1 = win::EditControl(control(L"Memo1"));
    Edit2 = win::EditControl(control(L"Edit2"));
    Edit3 = win::EditControl(control(L"Edit3"));
    ProgressBar1 = win::ProgressBarControl(control(L"ProgressBar1"));
    StatusBar1 = win::StatusBarControl(control(L"StatusBar1"));

    tabImages_ = win::loadPictureList(
        instance(), {L"TAB_PICTURE", L"TAB_MUSIC", L"TAB_VIDEO", L"TAB_PALETTE", L"TAB_MENU"});
    TabCtrl_SetImageList(TabControl1.handle(), tabImages_.get());
    const auto categories = mediaCategories();
    for (size_t i = 0; i < categories.size(); ++i) {
        TabControl1.addTab(static_cast<int>(i), std::wstring(categories[i].caption),
                           static_cast<int>(i));
    }

    ListView_SetExtendedListViewStyle(ListView1.handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    DragAcceptFiles(ListView1.handle(), TRUE);
    SetWindowLongPtrW(ListView1.handle(), GWLP_USERDATA,
                      GetWindowLongPtrW(ListView1.handle(), GWLP_WNDPROC));
    SetWindowLongPtrW(ListView1.handle(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(&fileDropProcedure));
    ListView1.addColumn(0, L"File(s)", 100);
    ListView1.addColumn(1, L"Type", kFileColumnsOtherWidth);
    ListView1.addColumn(2, L"Size", kFileColumnsOtherWidth);
    fitFileColumn();

    // The log keeps everything it is given; an edit holds 32K characters unless told.
    SendMessageW(Memo1.handle(), EM_SETLIMITTEXT, 0, 0);
    HWND hint = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                handle(), nullptr, instance(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Memo1.handle());
    tool.lpszText = const_cast<wchar_t*>(L"Log file");
    SendMessageW(hint, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

    StatusBar1.setPanelWidths({std::begin(kPanelWidths), std::end(kPanelWidths)});
    ProgressBar1.setMaximum(100);
    ProgressBar1.setPosition(0);
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
        // A cancelled edit keeps the old name. A new one goes through the file list, which
        // moves the row to its place; the list view itself changes nothing.
        const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
        if (edit.item.pszText != nullptr && edit.item.iItem >= 0 &&
            static_cast<size_t>(edit.item.iItem) < files_.size()) {
            editedRow_ = edit.item.iItem;
            editedName_ = edit.item.pszText;
            runCommand(&TForm1::ListView1Edited);
        }
        return FALSE;
    }
    return 0;
}

bool TForm1::deferWhileBusy(UINT message, WPARAM wParam, LPARAM lParam) {
    if (busy_ == nullptr) {
        return false;
    }
    switch (message) {
        case WM_COMMAND:
        case WM_SYSCOMMAND:
        case WM_CLOSE:
        case WM_DROPFILES:
        case WM_TRAY_ICON:
            PostMessageW(handle(), message, wParam, lParam);
            return true;
        default:
            return false;
    }
}

void TForm1::onPhoneConnected() {
    if (closing_) {
        return;
    }
    if (commandDepth_ > 0) {
        ++waitingNotifications_;
        return;
    }
    reportConnectedPhoneNow();
}

// The connection report ends, like a command, at the error box when it fails.
void TForm1::reportConnectedPhoneNow() {
    try {
        reportConnectedPhone(*setup_.phone, *this);
    } catch (...) {
        showFailure(std::current_exception());
    }
}

void TForm1::handleWaitingNotifications() {
    while (waitingNotifications_ > 0 && commandDepth_ == 0 && !closing_) {
        --waitingNotifications_;
        reportConnectedPhoneNow();
    }
}

void TForm1::close() {
    if (handle() == nullptr || closing_) {
        return;
    }
    closing_ = true;
    ConnectionRelay::detach(handle());
    destroy();
}

void TForm1::runCommand(Handler handler) {
    ++commandDepth_;
    try {
        (this->*handler)();
    } catch (...) {
        showFailure(std::current_exception());
    }
    showPendingChanges();
    --commandDepth_;
    handleWaitingNotifications();
}

void TForm1::showFailure(std::exception_ptr failure) {
    showPendingChanges();
    setup_.prompts->showError(handle(), errorBoxText(describeFailure(failure)),
                              setup_.programTitle);
}

void TForm1::showPendingChanges() {
    if (!pendingLog_.empty()) {
        Memo1.appendLine(pendingLog_);
        pendingLog_.clear();
    }
    if (pendingPosition_) {
        ProgressBar1.setPosition(*std::exchange(pendingPosition_, std::nullopt));
    }
}

// Creation: register with the phone library, take the dialog's starting folder from the
// settings file (saving it back at once), select the first category and show the status.
void TForm1::FormCreate() {
    setup_.phone->registerConnectionHandler();
    loadStartingFolder(setup_.settingsPath,
                       [this](const std::wstring& folder) { openDialog_.initialDir = folder; });
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

// A command's lines and the bar's position are shown when it ends or refreshes the window.
void TForm1::appendLog(const std::wstring& line) {
    if (commandDepth_ == 0) {
        Memo1.appendLine(line);
        return;
    }
    if (!pendingLog_.empty()) {
        pendingLog_ += L"\r\n";
    }
    pendingLog_ += line;
}

void TForm1::setFreeSpaceFigure(const std::wstring& text) {
    Edit3.setText(text);
}

void TForm1::resetProgress() {
    pendingPosition_.reset();
    ProgressBar1.setMaximum(0);
    ProgressBar1.setPosition(0);
}

std::wstring TForm1::phoneFolder() const {
    return Edit1.text();
}

std::wstring TForm1::pendingTotal() const {
    return Edit2.text();
}

void TForm1::setPendingTotal(const std::wstring& text) {
    Edit2.setText(text);
}

std::wstring TForm1::freeSpaceFigure() const {
    return Edit3.text();
}

void TForm1::setProgressMaximum(int maximum) {
    ProgressBar1.setMaximum(maximum);
}

void TForm1::setProgressPosition(int position) {
    if (commandDepth_ == 0) {
        ProgressBar1.setPosition(position);
        return;
    }
    pendingPosition_ = position;
}

// The upload runs inside its handler; the log and the bar are drawn as entries are done. Each
// drawing costs milliseconds (the log's scroll bar is drawn anew), so a quick run of small files
// is drawn at most every kRefreshIntervalMs, which the eye cannot tell from every entry. A slow
// phone's file is drawn between its pieces as well, with the rest of the window if uncovered.
void TForm1::refresh() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastRefresh_ < kRefreshIntervalMs) {
        return;
    }
    lastRefresh_ = now;
    showPendingChanges();
    if (setup_.taskbarProgress != nullptr && bytesTotal_ > 0) {
        setup_.taskbarProgress->show(handle(), bytesWritten_, bytesTotal_);
    }
    if (busy_ != nullptr) {
        busy_->keepAnswering();
    } else {
        UpdateWindow(ProgressBar1.handle());
        UpdateWindow(Memo1.handle());
    }
}

void TForm1::showBytesWritten(uint64_t written, uint64_t total) {
    bytesWritten_ = written;
    bytesTotal_ = total;
    refresh();
}

void TForm1::insertRow(size_t index, const FileEntry& entry) {
    const int row = static_cast<int>(index);
    ListView1.insertItem(row, entry.name);
    updateRow(index, entry);
}

void TForm1::updateRow(size_t index, const FileEntry& entry) {
    const int row = static_cast<int>(index);
    ListView1.setItemText(row, 0, entry.name);
    ListView1.setItemText(row, 1, entry.type);
    ListView1.setItemText(row, 2,
                          entry.sizeBytes
                              ? std::to_wstring(kilobytesRoundedHalfEven(*entry.sizeBytes))
                              : std::wstring());
}

void TForm1::removeRow(size_t index) {
    ListView1.deleteItem(static_cast<int>(index));
}

void TForm1::removeAllRows() {
    ListView1.deleteAllItems();
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
    files_.clear();
    Edit2.setText(L"");
    Edit3.setText(L"");
}

// Clear log file.
void TForm1::BitBtn10Click() {
    pendingLog_.clear();
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

void TForm1::openCommand() {
    const std::optional<OpenDialogChoice> choice =
        setup_.prompts->chooseFiles(handle(), openDialog_);
    std::vector<std::wstring> selection;
    if (choice) {
        selection = choice->files;
        openDialog_.filterIndex = choice->filterIndex;
        if (!selection.empty()) {
            openDialog_.fileName = selection.front();
        }
    }
    openSelection(selection);
}

// Files dropped on the list are added as if chosen in the dialog.
void TForm1::ListView1DragDrop() {
    openSelection(std::exchange(droppedFiles_, {}));
}

void TForm1::openSelection(const std::vector<std::wstring>& selection) {
    const DrawingPaused paused(ListView1.handle());
    openFiles(selection, files_, localFiles_, *this);
}

// A name edited in place: refused with a log line when the phone cannot take it.
void TForm1::ListView1Edited() {
    if (const auto why = whyNameIsRefused(editedName_)) {
        appendLog(*why);
        return;
    }
    files_.rename(static_cast<size_t>(editedRow_), editedName_);
}

// The upload keeps the window answering, with the wait cursor, until it returns; then the
// taskbar button drops its progress, whatever ended the upload.
void TForm1::uploadCommand() {
    win::BusyScope busy;
    busy_ = &busy;
    struct Ended {
        TForm1& form;
        ~Ended() {
            form.busy_ = nullptr;
            form.bytesWritten_ = form.bytesTotal_ = 0;
            if (form.setup_.taskbarProgress != nullptr) {
                form.setup_.taskbarProgress->clear(form.handle());
            }
        }
    } ended{*this};
    uploadFiles(*setup_.phone, files_, localFiles_, contents_, *this);
}

void TForm1::Options1Click() {
    if (optionsDialog_.show) {
        optionsDialog_.show();
    }
}

}  // namespace tonvale
