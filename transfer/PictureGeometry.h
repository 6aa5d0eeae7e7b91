// The arithmetic of fitting a picture to a phone's screen, without any picture code: the
// orientation a JPEG's Exif data tags it with, the eight turns and flips it names, and the
// largest size with the picture's proportions that fits the screen.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tonvale {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The Exif orientation of a JPEG, 1 to 8: how the stored rows are to be shown (1 as stored,
// 2 mirrored, 3 turned half round, 4 upside down mirrored, 5 to 8 the turns by a quarter, with
// and without a mirror). Read from tag 0x0112 of IFD0 in the APP1 "Exif" segment, in either
// byte order, walking the markers up to the first scan. Anything missing or malformed is 1.
int jpegOrientation(std::span<const unsigned char> file);

// The size the picture shows at, once turned as `orientation` says.
PictureSize uprightSize(PictureSize stored, int orientation);

bool fitsInside(PictureSize picture, PictureSize screen);

// The largest size with the picture's proportions that fits inside the screen: each side
// rounded to the nearest pixel, and never below 1.
PictureSize fittedSize(PictureSize picture, PictureSize screen);

// The picture upright: 32-bit pixels of `stored` size, rows packed, turned and mirrored as
// `orientation` says.
std::vector<uint32_t> uprightPixels(std::span<const uint32_t> pixels, PictureSize stored,
                                    int orientation);

}  // namespace tonvale
