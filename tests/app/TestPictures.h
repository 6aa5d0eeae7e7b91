// Pictures the tests make and read back with Windows' imaging component, and the bytes of the
// few that it cannot make: an Exif orientation tag, an animated GIF.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tonvale::testing {

struct TestPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // BGRA, straight alpha, rows packed
    GUID format{};
    UINT frames = 0;

    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// 0xAARRGGBB as the pixels hold it.
constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// A picture of `width` by `height`, each pixel `colour(x, y)`, as a file of `format`.
std::string makePicture(const GUID& format, int width, int height,
                        uint32_t (*colour)(int x, int y, int width, int height));
// The file's first frame; a picture of no frames when the file is none.
TestPicture readPicture(const std::string& file);

// The JPEG with an APP1 Exif segment after its start that tags it with `orientation`.
std::string withOrientation(const std::string& jpeg, int orientation);
// A GIF of two frames of 2 by 2 pixels.
std::string animatedGif();
// A GIF of one frame whose left half is its transparent colour, the rest red.
std::string gifWithTransparentColour(int width, int height);

}  // namespace tonvale::testing
