// The JPEG orientation reader against arbitrary bytes: it reads files from anywhere, so it must
// stay inside them and answer 1 to 8 whatever they hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "PictureGeometry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int orientation = tonvale::jpegOrientation(std::span<const unsigned char>(data, size));
    if (orientation < 1 || orientation > 8) {
        std::abort();
    }
    return 0;
}
