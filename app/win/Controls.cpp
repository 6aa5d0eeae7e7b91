#include "Controls.h"

namespace tonvale::win {

std::wstring Control::text() const {
    const int length = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

void EditControl::appendLine(const std::wstring& line) const {
    // A long run of lines, as Open of thousands of files gives, is laid out with drawing off
    // and drawn once; a few lines are drawn where they land, which costs less than the whole.
    constexpr size_t kLongRun = 16384;
    const bool longRun = line.size() > kLongRun;
    if (longRun) {
        SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    }
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(handle_));
    SendMessageW(handle_, EM_SETSEL, end, static_cast<LPARAM>(end));
    const std::wstring text = line + L"\r\n";
    SendMessageW(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    if (longRun) {
        SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(handle_, nullptr, TRUE);
    }
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
}

std::vector<std::wstring> EditControl::lines() const {
    std::vector<std::wstring> result;
    const std::wstring all = text();
    size_t start = 0;
    while (start < all.size()) {
        const size_t end = all.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            result.push_back(all.substr(start));
            break;
        }
        result.push_back(all.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

void StatusBarControl::setPanelWidths(const std::vector<int>& widths) const {
    std::vector<int> rightEdges;
    int edge = 0;
    for (int width : widths) {
        edge += width;
        rightEdges.push_back(edge);
    }
    SendMessageW(handle_, SB_SETPARTS, rightEdges.size(),
                 reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBarControl::setPanelText(int panel, const std::wstring& text) const {
    SendMessageW(handle_, SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBarControl::panelText(int panel) const {
    const auto length = LOWORD(SendMessageW(handle_, SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(handle_, SB_GETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

int StatusBarControl::panelCount() const {
    return static_cast<int>(SendMessageW(handle_, SB_GETPARTS, 0, 0));
}

std::vector<int> StatusBarControl::panelRightEdges() const {
    std::vector<int> edges(static_cast<size_t>(panelCount()));
    SendMessageW(handle_, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
}

void ProgressBarControl::setMaximum(int maximum) const {
    SendMessageW(handle_, PBM_SETRANGE32, 0, maximum);
}

void ProgressBarControl::setPosition(int position) const {
    SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int ProgressBarControl::maximum() const {
    return static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, FALSE, 0));
}

int ProgressBarControl::position() const {
    return static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
}

void ListViewControl::addColumn(int index, const wchar_t* caption, int width) const {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(caption);
    column.cx = width;
    column.iSubItem = index;
    ListView_InsertColumn(handle_, index, &column);
}

// A width set anew, even an unchanged one, lays the header out again and moves it.
void ListViewControl::setColumnWidth(int index, int width) const {
    if (ListView_GetColumnWidth(handle_, index) != width) {
        ListView_SetColumnWidth(handle_, index, width);
    }
}

int ListViewControl::columnWidth(int index) const {
    return ListView_GetColumnWidth(handle_, index);
}

std::wstring ListViewControl::columnCaption(int index) const {
    wchar_t buffer[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = static_cast<int>(std::size(buffer));
    ListView_GetColumn(handle_, index, &column);
    return buffer;
}

void ListViewControl::setItemCount(int count) const {
    SendMessageW(handle_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
}

void ListViewControl::redrawItem(int item) const {
    SendMessageW(handle_, LVM_REDRAWITEMS, static_cast<WPARAM>(item), static_cast<LPARAM>(item));
}

void ListViewControl::insertItem(int item, const std::wstring& text) const {
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = item;
    row.pszText = const_cast<wchar_t*>(text.c_str());
    ListView_InsertItem(handle_, &row);
}

void ListViewControl::setItemText(int item, int column, const std::wstring& text) const {
    ListView_SetItemText(handle_, item, column, const_cast<wchar_t*>(text.c_str()));
}

void ListViewControl::deleteItem(int item) const {
    ListView_DeleteItem(handle_, item);
}

void ListViewControl::deleteAllItems() const {
    ListView_DeleteAllItems(handle_);
}

int ListViewControl::itemCount() const {
    return ListView_GetItemCount(handle_);
}

std::wstring ListViewControl::itemText(int item, int column) const {
    // A path can be long; ask with a growing buffer until the text fits.
    std::wstring text(260, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = text.data();
        request.cchTextMax = static_cast<int>(text.size());
        const auto length =
            static_cast<size_t>(SendMessageW(handle_, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                             reinterpret_cast<LPARAM>(&request)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

void TabControl::addTab(int index, const std::wstring& caption, int image) const {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    item.iImage = image;
    TabCtrl_InsertItem(handle_, index, &item);
}

int TabControl::tabCount() const {
    return TabCtrl_GetItemCount(handle_);
}

std::wstring TabControl::tabCaption(int index) const {
    wchar_t buffer[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    TabCtrl_GetItem(handle_, index, &item);
    return buffer;
}

int TabControl::selected() const {
    return TabCtrl_GetCurSel(handle_);
}

void TabControl::select(int index) const {
    TabCtrl_SetCurSel(handle_, index);
}

RECT rectIn(HWND container, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void addHint(HINSTANCE instance, HWND owner, HWND tool, const wchar_t* text) {
    HWND hint = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                owner, nullptr, instance, nullptr);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(hint, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace tonvale::win
