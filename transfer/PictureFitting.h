// Pictures fitted to the phone's screen as they are uploaded into the Picture category's
// folder, when the user has turned it on: what the upload asks, and what it is told.
#pragma once

#include <string>

#include "Contents.h"
#include "PictureGeometry.h"

namespace tonvale {

struct PictureFitting {
    bool enabled = false;
    PictureSize screen{176, 220};
};

struct FittedPicture {
    enum class Outcome {
        AsItIs,     // written byte for byte, nothing said: it fits, or is no picture to fit
        Fitted,     // the contents now hold the fitted picture, `size` big
        NotFitted,  // written byte for byte, with `why` in the log
    };
    Outcome outcome = Outcome::AsItIs;
    PictureSize size;
    std::wstring why;
};

class PictureFitter {
  public:
    virtual ~PictureFitter() = default;
    // Looks at a file's contents and, where the picture in them does not fit `screen` or is
    // to be turned upright, replaces them with the picture fitted, in the file's own format.
    virtual FittedPicture fit(Contents& contents, PictureSize screen) = 0;
};

}  // namespace tonvale
