// Fitting pictures with Windows' own imaging component (WIC): it decodes the file's contents
// and encodes the fitted picture in the file's own format; the orientation and the resampling
// are the program's, the same on every Windows.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "ComApartment.h"
#include "PictureFitting.h"

namespace tonvale {

class WicPictureFitter final : public PictureFitter {
  public:
    WicPictureFitter() = default;
    WicPictureFitter(const WicPictureFitter&) = delete;
    WicPictureFitter& operator=(const WicPictureFitter&) = delete;
    ~WicPictureFitter() override = default;

    // A JPEG, PNG, BMP or single-frame GIF wider or taller than the screen is scaled down to fit
    // it; a JPEG tagged with another orientation than upright is turned, fitting or not.
    // Anything else, and a picture that fits as it is, is left as it is.
    FittedPicture fit(Contents& contents, PictureSize screen) override;

  private:
    // Created at the first picture, so that a program that fits none never loads the component;
    // null when the system has none.
    IWICImagingFactory* factory();

    ComApartment apartment_;  // left after the factory is released
    OwnedComPointer<IWICImagingFactory> factory_;
    bool asked_ = false;
};

}  // namespace tonvale
