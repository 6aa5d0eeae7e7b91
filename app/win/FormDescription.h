// A form described as data: the window, its controls and its menus. The form machinery builds
// any form from such a description, and the description is the one place a form's layout lives.
#pragma once

#include <windows.h>

#include <span>

namespace tonvale::win {

// The edges a control keeps its distance to when the form changes size.
enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
};
inline constexpr unsigned AnchorTopLeft = AnchorLeft | AnchorTop;
inline constexpr unsigned AnchorAllEdges = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;

struct ControlDescription {
    int id;
    const wchar_t* name;  // the designer's name
    const wchar_t* windowClass;
    int parentId;  // 0 for the form; a position is relative to its parent
    int left, top, width, height;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    unsigned anchors;
    const wchar_t* picture;  // resource name of a 32 by 32 picture, or nullptr
};

struct MenuItemDescription {
    int id;  // 0 for a separator
    const wchar_t* name;
    const wchar_t* text;  // "-" for a separator
    const wchar_t* picture;
    bool enabled;
};

struct MenuDescription {
    const wchar_t* text;
    std::span<const MenuItemDescription> items;
};

// Where a form appears at its first showing; later showings leave it where it was.
enum class FirstPlacement {
    CentreOnScreen,
    CentreOnOwner,
};

struct FormDescription {
    const wchar_t* windowClass;  // registered once per process under this name
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    int clientWidth;
    int clientHeight;
    FirstPlacement placement;
    // In creation order, which is also the keyboard order of the controls that take the focus;
    // a container comes before the controls it holds.
    std::span<const ControlDescription> controls;
    std::span<const MenuDescription> menuBar;  // empty for a form without one
};

const ControlDescription* findControl(std::span<const ControlDescription> controls, int id);
// The control's rectangle in the form's client area at design size.
RECT designRectInForm(std::span<const ControlDescription> controls,
                      const ControlDescription& control);

}  // namespace tonvale::win
