// The one place stb's resampler is built, from the header Debian's libstb-dev installs (vcpkg's
// "stb" port for an MSVC build). On 32-bit x86 this file is compiled for SSE2, which every
// processor that runs Windows 10 has.
#include "Resample.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

namespace tonvale {

bool resampleBgra(const uint8_t* pixels, PictureSize from, uint8_t* out, PictureSize to) {
    constexpr int kChannels = 4;
    constexpr int kAlphaChannel = 3;  // B, G, R, A
    return stbir_resize_uint8_srgb(pixels, from.width, from.height, from.width * kChannels, out,
                                   to.width, to.height, to.width * kChannels, kChannels,
                                   kAlphaChannel, 0) != 0;
}

}  // namespace tonvale
