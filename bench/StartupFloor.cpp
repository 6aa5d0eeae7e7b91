// The floor of start-up: what any program with Tonvale's main window must do before it first
// waits for input, and nothing else. One function builds the window with controls of the same
// kinds and number (tabs with their pictures, the list with its columns, three group boxes, six
// buttons with pictures and two without, the path field, the log, the progress bar, two hidden
// fields and the status bar with its panels), the menu bar with its pictures, the font, the
// icon and the manifest (linked from the program's own resources), shows it and runs the
// message loop. No form machinery, no phone library, no settings file.
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace {

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 545;
constexpr int kPicture = 32;

LRESULT CALLBACK floorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HBITMAP picture(HINSTANCE instance, const wchar_t* name) {
    return static_cast<HBITMAP>(
        LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Menus draw item pictures with premultiplied alpha.
HBITMAP menuPicture(HINSTANCE instance, const wchar_t* name) {
    HBITMAP bitmap = picture(instance, name);
    DIBSECTION section{};
    if (bitmap != nullptr && GetObjectW(bitmap, sizeof section, &section) == sizeof section &&
        section.dsBm.bmBitsPixel == 32) {
        auto* pixel = static_cast<unsigned char*>(section.dsBm.bmBits);
        for (int i = 0; i < section.dsBm.bmWidth * section.dsBm.bmHeight; ++i, pixel += 4) {
            for (int channel = 0; channel < 3; ++channel) {
                pixel[channel] = static_cast<unsigned char>(pixel[channel] * pixel[3] / 255);
            }
        }
    }
    return bitmap;
}

HIMAGELIST pictureList(HINSTANCE instance, std::initializer_list<const wchar_t*> names) {
    HIMAGELIST list =
        ImageList_Create(kPicture, kPicture, ILC_COLOR32, static_cast<int>(names.size()), 0);
    for (const wchar_t* name : names) {
        HBITMAP bitmap = picture(instance, name);
        ImageList_Add(list, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    return list;
}

struct MenuItem {
    const wchar_t* text;
    const wchar_t* picture;
};

HMENU popup(HINSTANCE instance, std::initializer_list<MenuItem> items) {
    HMENU menu = CreatePopupMenu();
    UINT id = 100;
    for (const MenuItem& item : items) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        if (item.text == nullptr) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
            info.wID = id++;
            info.dwTypeData = const_cast<wchar_t*>(item.text);
            info.hbmpItem = menuPicture(instance, item.picture);
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
    return menu;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &floorProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"MAINICON");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"StartupFloor";
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }

    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP,
                reinterpret_cast<UINT_PTR>(popup(instance, {{L"Open file(s)...", L"MNU_OPEN"},
                                                            {L"Upload file(s)", L"MNU_UPLOAD"},
                                                            {nullptr, nullptr},
                                                            {L"Exit", L"MNU_EXIT"}})),
                L"File");
    AppendMenuW(bar, MF_POPUP,
                reinterpret_cast<UINT_PTR>(popup(instance, {{L"Restart", L"MNU_RESTART"},
                                                            {L"Update rings", L"MNU_UPDATE"},
                                                            {L"Connect", L"MNU_CONNECT"}})),
                L"Phone");
    AppendMenuW(bar, MF_POPUP,
                reinterpret_cast<UINT_PTR>(popup(instance, {{L"Options...", L"MNU_OPTIONS"}})),
                L"Configuration");
    AppendMenuW(
        bar, MF_POPUP,
        reinterpret_cast<UINT_PTR>(popup(
            instance, {{L"Help", L"MNU_HELP"}, {nullptr, nullptr}, {L"About...", L"MNU_ABOUT"}})),
        L"Help");

    constexpr DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    HWND window =
        CreateWindowExW(WS_EX_CONTROLPARENT, L"StartupFloor", L"Motorola Tonvale Files Uploader",
                        style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, bar, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    HFONT font = CreateFontW(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");

    constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    constexpr DWORD button = child | WS_TABSTOP | BS_PUSHBUTTON;
    std::vector<HWND> controls;
    auto make = [&](const wchar_t* kind, const wchar_t* text, DWORD controlStyle,
                    DWORD extendedStyle, int left, int top, int width, int height) {
        HWND control = CreateWindowExW(extendedStyle, kind, text, controlStyle, left, top, width,
                                       height, window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls.push_back(control);
        return control;
    };
    auto pictureButton = [&](const wchar_t* text, const wchar_t* name, int left, int top) {
        HWND control = make(L"Button", text, button, 0, left, top, 89, 41);
        BUTTON_IMAGELIST images{
            pictureList(instance, {name}), {4, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
        SendMessageW(control, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    };

    HWND tabs = make(WC_TABCONTROLW, L"", child | WS_TABSTOP | TCS_MULTILINE, 0, 0, 0, kClientWidth,
                     kClientHeight - 19);
    TabCtrl_SetImageList(tabs, pictureList(instance, {L"TAB_PICTURE", L"TAB_MUSIC", L"TAB_VIDEO",
                                                      L"TAB_PALETTE", L"TAB_MENU"}));
    int index = 0;
    for (const wchar_t* name : {L"Picture", L"Music", L"Video", L"Palette", L"Menu"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<wchar_t*>(name);
        item.iImage = index;
        TabCtrl_InsertItem(tabs, index++, &item);
    }
    HWND list =
        make(WC_LISTVIEWW, L"",
             child | WS_TABSTOP | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
             WS_EX_CLIENTEDGE, 8, 111, 279, 344);
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    index = 0;
    for (const auto& [name, width] : {std::pair{L"File(s)", 170}, {L"Type", 50}, {L"Size", 55}}) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(name);
        column.cx = width;
        ListView_InsertColumn(list, index++, &column);
    }
    make(L"Button", L"Files:", child | BS_GROUPBOX, 0, 8, 40, 201, 65);
    pictureButton(L"Open", L"BTN_OPEN", 16, 56);
    pictureButton(L"Upload", L"BTN_UPLOAD", 112, 56);
    make(L"Button", L"Path:", child | BS_GROUPBOX, 0, 520, 40, 113, 49);
    make(L"Edit", L"/a/mobile/picture/", child | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL,
         WS_EX_CLIENTEDGE, 528, 56, 97, 21);
    make(L"Edit", L"",
         child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
         WS_EX_CLIENTEDGE, 294, 111, 447, 322);
    make(L"Button", L"Phone:", child | BS_GROUPBOX, 0, 216, 40, 297, 65);
    pictureButton(L"Update ", L"BTN_UPDATE", 320, 56);
    pictureButton(L"Connect", L"BTN_CONNECT", 224, 56);
    pictureButton(L"Restart", L"BTN_RESTART", 416, 56);
    make(PROGRESS_CLASSW, L"", child, 0, 296, 440, 281, 17);
    make(L"Button", L"Clear files list", button, 0, 584, 440, 75, 17);
    make(L"Button", L"Clear log file", button, 0, 664, 440, 73, 17);
    make(L"Edit", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, 0);
    make(L"Edit", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, 0);
    HWND status = make(STATUSCLASSNAMEW, L"", child | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 0,
                       kClientHeight - 19, kClientWidth, 19);
    const int edges[] = {100, 180, 350, 400};
    SendMessageW(status, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Status: Dinnected"));
    // The tabs and group boxes hold the others and lie beneath them: each new window goes on
    // top of its siblings, so made first they are there already, and no restacking is needed.

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
