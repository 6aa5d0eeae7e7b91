#include "FormDescription.h"

namespace tonvale::win {

const ControlDescription* findControl(std::span<const ControlDescription> controls, int id) {
    for (const ControlDescription& control : controls) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

RECT designRectInForm(std::span<const ControlDescription> controls,
                      const ControlDescription& control) {
    int left = control.left;
    int top = control.top;
    for (const ControlDescription* parent = findControl(controls, control.parentId);
         parent != nullptr; parent = findControl(controls, parent->parentId)) {
        left += parent->left;
        top += parent->top;
    }
    return RECT{left, top, left + control.width, top + control.height};
}

}  // namespace tonvale::win
