// What a form does with the controls it makes, so that they behave as on a form.
#pragma once

#include <windows.h>

#include "FormDescription.h"

namespace tonvale::win {

// A group box fills its inside itself, since the form clips its children; a multi-line edit
// lets Tab move on and leaves Enter and Esc to the form.
void giveFormManners(HWND control, const ControlDescription& description);

// A push button of any kind, which Enter presses when it has the focus.
bool isPushButton(HWND window);

}  // namespace tonvale::win
