// Scaling a picture down with a high-quality filter: stb's resampler, built in Resample.cpp
// alone.
#pragma once

#include <cstdint>

#include "PictureGeometry.h"

namespace tonvale {

// 32-bit BGRA pixels with straight alpha, rows packed, from `from` to `to`: colours filtered in
// linear light (the pixels are sRGB) and weighted by their alpha, with stb's default filter
// for shrinking (Mitchell). False when the resampler could not get its working memory.
bool resampleBgra(const uint8_t* pixels, PictureSize from, uint8_t* out, PictureSize to);

}  // namespace tonvale
