#include "TrayIcon.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

#include "LaterBound.h"

namespace tonvale {

namespace {

constexpr UINT kIconId = 1;

BOOL notifyIcon(DWORD message, NOTIFYICONDATAW& data) {
    static const auto shellNotifyIcon =
        laterBound<decltype(&Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return shellNotifyIcon != nullptr && shellNotifyIcon(message, &data);
}
constexpr wchar_t kTooltip[] = L"Tonvale - Motorola files uploader";

}  // namespace

ShellTrayIcon::ShellTrayIcon(HINSTANCE instance)
    : icon_(static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), 0))) {}

ShellTrayIcon::~ShellTrayIcon() {
    remove();
}

bool ShellTrayIcon::add(HWND window, UINT callbackMessage) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = icon_.get();
    wcsncpy(data.szTip, kTooltip, std::size(data.szTip) - 1);
    // An icon that is still there is brought up to date instead.
    if (!notifyIcon(NIM_ADD, data) && !notifyIcon(NIM_MODIFY, data)) {
        return false;
    }
    window_ = window;
    return true;
}

void ShellTrayIcon::remove() {
    if (window_ == nullptr) {
        return;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kIconId;
    notifyIcon(NIM_DELETE, data);
    window_ = nullptr;
}

}  // namespace tonvale
