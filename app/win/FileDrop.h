// Files dropped from Explorer. A window that accepts them gets them as WM_DROPFILES for a drop
// on itself or on any of its controls; it is told where the drop landed, so that it can take
// the drops on one control alone. No control needs a procedure of its own for it: under Wine a
// subclassed control pays a round trip to the server at every message.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace tonvale::win {

// `window` and its controls take dropped files from now on.
void acceptDroppedFiles(HWND window);

struct Drop {
    std::vector<std::wstring> files;  // in the order Explorer gives them
    POINT point{};                    // in the client area of the window that accepted them
};
// The drop's files and place; the drop is finished afterwards.
Drop takeDrop(HDROP drop);

}  // namespace tonvale::win
