#include "Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "Controls.h"
#include "Dpi.h"
#include "FormControls.h"
#include "Menus.h"
#include "Pictures.h"

namespace tonvale::win {

namespace {

void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, name, &windowClass)) {
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
    windowClass.lpszClassName = name;
    if (!RegisterClassExW(&windowClass)) {
        throw std::runtime_error("The window class cannot be registered");
    }
}

// "MS Sans Serif" at 8 points.
OwnedFont createFormFont(int dpi) {
    const int height = -MulDiv(8, dpi, 72);
    return OwnedFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
}

}  // namespace

Form::Form(HINSTANCE instance, const FormDescription& description)
    : instance_(instance), description_(description) {}

Form::~Form() {
    destroy();
}

int Form::scaled(int designLength) const {
    return scaleForDpi(designLength, dpi_);
}

void Form::create(HWND owner) {
    registerWindowClass(instance_, description_.windowClass, &Form::windowProcedure);
    const bool hasMenu = !description_.menuBar.empty();
    // Until the window exists, its monitor is not known: it opens where the system's DPI
    // holds, and takes its own at creation.
    dpi_ = systemDpi();
    RECT frame{0, 0, scaled(description_.clientWidth), scaled(description_.clientHeight)};
    adjustFrameForDpi(frame, description_.style, hasMenu, description_.exStyle, dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int left = workArea.left + (workArea.right - workArea.left - width) / 2;
    const int top = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    controls_.assign(description_.controls.size(), nullptr);
    buttonPictures_.clear();
    buttonPictures_.resize(description_.controls.size());
    creationFailure_ = nullptr;
    CreateWindowExW(description_.exStyle, description_.windowClass, description_.caption,
                    description_.style, left, top, width, height, owner, nullptr, instance_, this);
    if (handle_ == nullptr) {
        if (creationFailure_) {
            std::rethrow_exception(std::exchange(creationFailure_, nullptr));
        }
        throw std::runtime_error("The window cannot be created");
    }
}

void Form::destroy() {
    if (handle_ != nullptr) {
        DestroyWindow(handle_);
    }
}

HWND Form::control(std::wstring_view name) const {
    for (size_t i = 0; i < description_.controls.size() && i < controls_.size(); ++i) {
        if (name == description_.controls[i].name) {
            return controls_[i];
        }
    }
    return nullptr;
}

HWND Form::control(int id) const {
    for (size_t i = 0; i < description_.controls.size() && i < controls_.size(); ++i) {
        if (description_.controls[i].id == id) {
            return controls_[i];
        }
    }
    return nullptr;
}

void Form::show(int showCommand) {
    if (!shownBefore_) {
        shownBefore_ = true;
        if (description_.placement == FirstPlacement::CentreOnOwner) {
            HWND owner = GetWindow(handle_, GW_OWNER);
            RECT around{};
            if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
                GetWindowRect(owner, &around);
            } else {
                SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
            }
            RECT frame{};
            GetWindowRect(handle_, &frame);
            const int width = frame.right - frame.left;
            const int height = frame.bottom - frame.top;
            SetWindowPos(handle_, nullptr, (around.left + around.right - width) / 2,
                         (around.top + around.bottom - height) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        lastFocus_ = GetNextDlgTabItem(handle_, nullptr, FALSE);
    }
    ShowWindow(handle_, showCommand);
    if (GetActiveWindow() == handle_) {
        restoreFocus();
    }
    UpdateWindow(handle_);
}

void Form::hide() {
    rememberFocus();
    ShowWindow(handle_, SW_HIDE);
}

void Form::onEnter() {
    HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == handle_ && isPushButton(focus) &&
        IsWindowEnabled(focus)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
    }
}

LRESULT CALLBACK Form::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may unwind through the system's code.
    try {
        return form->handleMessage(message, wParam, lParam);
    } catch (...) {
        if (message == WM_CREATE) {
            // The window is not created; create() throws this instead.
            form->creationFailure_ = std::current_exception();
            return -1;
        }
        try {
            form->onFailure(std::current_exception());
        } catch (...) {
            // Reporting failed too; the program goes on taking events.
        }
        return message == WM_NCDESTROY ? 0 : DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            dpi_ = dpiOfWindow(handle_);
            font_ = createFormFont(dpi_);
            createControls();
            createMenuBar();
            fitClientArea();
            onCreate();
            return 0;
        case WM_COMMAND:
            // What the message loop's keyboard handling sends for Enter and Esc.
            if (HIWORD(wParam) == 0 && lParam == 0) {
                if (LOWORD(wParam) == IDOK) {
                    onEnter();
                    return 0;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    onEscape();
                    return 0;
                }
            }
            break;
        case WM_DPICHANGED:
            takeNewDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                applyAnchors(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                rememberFocus();
                return 0;
            }
            if (HIWORD(wParam) == 0) {
                restoreFocus();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            restoreFocus();
            return 0;
        case WM_NCDESTROY: {
            HWND window = std::exchange(handle_, nullptr);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            std::fill(controls_.begin(), controls_.end(), nullptr);
            menuBar_ = nullptr;
            lastFocus_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void Form::createControls() {
    const auto descriptions = description_.controls;
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const ControlDescription& description = descriptions[i];
        const RECT place = scaledRect(description);
        HWND child = CreateWindowExW(
            description.exStyle, description.windowClass, description.text, description.style,
            place.left, place.top, place.right - place.left, place.bottom - place.top, handle_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(description.id)), instance_, nullptr);
        if (child == nullptr) {
            throw std::runtime_error("A control of the window cannot be created");
        }
        controls_[i] = child;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        giveFormManners(child, description);
        setButtonPicture(i);
    }

    // Containers lie beneath the controls they hold, the outermost lowest. The keyboard order
    // follows this order, so it puts them last.
    auto depth = [&](const ControlDescription& control) {
        int levels = 0;
        for (const ControlDescription* parent = findControl(descriptions, control.parentId);
             parent != nullptr; parent = findControl(descriptions, parent->parentId)) {
            ++levels;
        }
        return levels;
    };
    std::vector<size_t> containers;
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const bool holdsControls =
            std::any_of(descriptions.begin(), descriptions.end(),
                        [&](const auto& other) { return other.parentId == descriptions[i].id; });
        if (holdsControls) {
            containers.push_back(i);
        }
    }
    std::stable_sort(containers.begin(), containers.end(), [&](size_t a, size_t b) {
        return depth(descriptions[a]) > depth(descriptions[b]);
    });
    for (size_t i : containers) {
        SetWindowPos(controls_[i], HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// A button too low for the whole picture shows it at half size.
void Form::setButtonPicture(size_t index) {
    const ControlDescription& description = description_.controls[index];
    if (description.picture == nullptr) {
        return;
    }
    const int designSize = description.height >= kPictureSize + 8 ? kPictureSize : kPictureSize / 2;
    OwnedImageList pictures = loadPictureList(instance_, {description.picture}, scaled(designSize));
    BUTTON_IMAGELIST images{pictures.get(), {scaled(4), 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
    SendMessageW(controls_[index], BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    buttonPictures_[index] = std::move(pictures);
}

// A 96-DPI rectangle of the description in the form's client area, at the form's DPI.
RECT Form::scaledRect(const ControlDescription& control) const {
    const RECT place = designRectInForm(description_.controls, control);
    const int left = scaled(place.left);
    const int top = scaled(place.top);
    return RECT{left, top, left + scaled(control.width), top + scaled(control.height)};
}

// The monitor's scale changed: the suggested place and size, a font and pictures drawn for it,
// and every control where the description puts it.
void Form::takeNewDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    font_ = createFormFont(dpi_);
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] != nullptr) {
            SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
            setButtonPicture(i);
        }
    }
    if (menuBar_ != nullptr) {
        resizeMenuBarPictures(instance_, menuBar_, description_.menuBar, menuPictures_,
                              scaled(kPictureSize));
        DrawMenuBar(handle_);
    }
    SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The suggestion reckons with the frame, but a menu bar may wrap otherwise at the new size.
    if (!IsZoomed(handle_)) {
        fitClientArea();
    }
    RECT client{};
    GetClientRect(handle_, &client);
    applyAnchors(client.right, client.bottom);
    onDpiChanged();
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Form::createMenuBar() {
    if (description_.menuBar.empty()) {
        return;
    }
    OwnedMenu bar =
        buildMenuBar(instance_, description_.menuBar, menuPictures_, scaled(kPictureSize));
    if (!SetMenu(handle_, bar.get())) {
        throw std::runtime_error("The menu bar of the window cannot be set");
    }
    // From here on the window owns the bar and destroys it with itself.
    menuBar_ = bar.release();
}

void Form::fitClientArea() {
    // The menu bar can wrap, so measure the client area rather than trusting the estimate.
    RECT client{};
    GetClientRect(handle_, &client);
    const int dx = scaled(description_.clientWidth) - client.right;
    const int dy = scaled(description_.clientHeight) - client.bottom;
    if (dx != 0 || dy != 0) {
        RECT window{};
        GetWindowRect(handle_, &window);
        SetWindowPos(handle_, nullptr, window.left - dx / 2, window.top - dy / 2,
                     window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Form::applyAnchors(int clientWidth, int clientHeight) {
    const int dx = clientWidth - scaled(description_.clientWidth);
    const int dy = clientHeight - scaled(description_.clientHeight);
    const auto descriptions = description_.controls;
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const ControlDescription& description = descriptions[i];
        if (controls_[i] == nullptr || (description.style & WS_VISIBLE) == 0) {
            continue;
        }
        RECT place = scaledRect(description);
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
        // Every resize of the form comes here, the first showing too: a control already in
        // its place is left alone, which spares the system a move of each.
        const RECT now = rectIn(handle_, controls_[i]);
        if (EqualRect(&now, &place)) {
            continue;
        }
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Form::rememberFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(handle_, focus)) {
        lastFocus_ = focus;
    }
}

void Form::restoreFocus() {
    if (lastFocus_ == nullptr || !IsWindow(lastFocus_) || !IsChild(handle_, lastFocus_)) {
        lastFocus_ = GetNextDlgTabItem(handle_, nullptr, FALSE);
    }
    if (lastFocus_ != nullptr) {
        SetFocus(lastFocus_);
    }
}

}  // namespace tonvale::win
