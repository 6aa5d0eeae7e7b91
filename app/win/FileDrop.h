// Files dropped from Explorer on a control reach its parent as WM_DROPFILES, which the parent
// handles like any command; a control of the common controls would otherwise drop them itself.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace tonvale::win {

// The control takes dropped files from now on and hands them to its parent, until it is destroyed.
void forwardDroppedFiles(HWND control);
// The files of a drop, in the order Explorer gives them; the drop is finished afterwards.
std::vector<std::wstring> takeDroppedFiles(HDROP drop);

}  // namespace tonvale::win
