// COM objects in the program's one owning-handle family: each released once, by its owner.
#pragma once

#include <unknwn.h>

#include "OwnedHandle.h"

namespace tonvale {

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};

template <typename Interface>
using OwnedComPointer = OwnedHandle<NullEmptyHandle<Interface*, ComReleaser>>;

}  // namespace tonvale
