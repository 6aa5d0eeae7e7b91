#include "PictureGeometry.h"

#include <algorithm>
#include <string_view>

namespace tonvale {

namespace {

using Bytes = std::span<const unsigned char>;

uint32_t readNumber(Bytes bytes, size_t at, size_t width, bool bigEndian) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        const uint32_t byte = bytes[bigEndian ? at + i : at + width - 1 - i];
        value = (value << 8) | byte;
    }
    return value;
}

// Tag 0x0112 among the entries of IFD0 in a TIFF structure, as Exif keeps it.
int orientationInTiff(Bytes tiff) {
    if (tiff.size() < 8) {
        return 1;
    }
    const std::string_view order(reinterpret_cast<const char*>(tiff.data()), 4);
    const bool bigEndian = order == std::string_view("MM\0*", 4);
    if (!bigEndian && order != std::string_view("II*\0", 4)) {
        return 1;
    }
    const uint32_t directory = readNumber(tiff, 4, 4, bigEndian);
    if (directory > tiff.size() - 2) {
        return 1;
    }
    const uint32_t entries = readNumber(tiff, directory, 2, bigEndian);
    for (uint32_t i = 0; i < entries; ++i) {
        const size_t entry = directory + 2 + size_t{12} * i;
        if (entry + 12 > tiff.size()) {
            return 1;
        }
        if (readNumber(tiff, entry, 2, bigEndian) != 0x0112) {
            continue;
        }
        constexpr uint32_t kShort = 3;
        const bool oneShort = readNumber(tiff, entry + 2, 2, bigEndian) == kShort &&
                              readNumber(tiff, entry + 4, 4, bigEndian) >= 1;
        const uint32_t value = readNumber(tiff, entry + 8, 2, bigEndian);
        return oneShort && value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

bool turnsAQuarter(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

}  // namespace

int jpegOrientation(std::span<const unsigned char> file) {
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
        return 1;
    }
    constexpr std::string_view kExif("Exif\0\0", 6);
    size_t at = 2;
    while (at < file.size()) {
        if (file[at] != 0xFF) {
            return 1;
        }
        while (at < file.size() && file[at] == 0xFF) {
            ++at;  // fill bytes before a marker
        }
        if (at >= file.size()) {
            return 1;
        }
        const unsigned char marker = file[at++];
        const bool standsAlone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
        if (standsAlone) {
            continue;
        }
        if (marker == 0xDA || marker == 0xD9 || at + 2 > file.size()) {
            return 1;  // the first scan, the end, or a cut-off file: no Exif data before it
        }
        const size_t length = readNumber(file, at, 2, true);
        if (length < 2 || at + length > file.size()) {
            return 1;
        }
        const Bytes segment = file.subspan(at + 2, length - 2);
        if (marker == 0xE1 && segment.size() >= kExif.size() &&
            std::equal(kExif.begin(), kExif.end(), segment.begin())) {
            return orientationInTiff(segment.subspan(kExif.size()));
        }
        at += length;
    }
    return 1;
}

PictureSize uprightSize(PictureSize stored, int orientation) {
    return turnsAQuarter(orientation) ? PictureSize{stored.height, stored.width} : stored;
}

bool fitsInside(PictureSize picture, PictureSize screen) {
    return picture.width <= screen.width && picture.height <= screen.height;
}

PictureSize fittedSize(PictureSize picture, PictureSize screen) {
    const int64_t width = picture.width;
    const int64_t height = picture.height;
    if (width <= 0 || height <= 0) {
        return screen;
    }
    // Rounded halves up, in whole numbers: the nearest of side * screen / other side.
    const auto scaled = [](int64_t side, int64_t to, int64_t from) {
        return static_cast<int>(std::max<int64_t>(1, (2 * side * to + from) / (2 * from)));
    };
    if (width * screen.height >= height * screen.width) {
        return {screen.width, scaled(height, screen.width, width)};
    }
    return {scaled(width, screen.height, height), screen.height};
}

std::vector<uint32_t> uprightPixels(std::span<const uint32_t> pixels, PictureSize stored,
                                    int orientation) {
    const PictureSize upright = uprightSize(stored, orientation);
    const int lastX = stored.width - 1;
    const int lastY = stored.height - 1;
    std::vector<uint32_t> out(static_cast<size_t>(upright.width) * upright.height);
    for (int y = 0; y < upright.height; ++y) {
        for (int x = 0; x < upright.width; ++x) {
            // Where the pixel shown at (x, y) is stored.
            int fromX = x;
            int fromY = y;
            switch (orientation) {
                case 2:
                    fromX = lastX - x;
                    break;
                case 3:
                    fromX = lastX - x;
                    fromY = lastY - y;
                    break;
                case 4:
                    fromY = lastY - y;
                    break;
                case 5:
                    fromX = y;
                    fromY = x;
                    break;
                case 6:
                    fromX = y;
                    fromY = lastY - x;
                    break;
                case 7:
                    fromX = lastX - y;
                    fromY = lastY - x;
                    break;
                case 8:
                    fromX = lastX - y;
                    fromY = x;
                    break;
                default:
                    break;
            }
            out[static_cast<size_t>(y) * upright.width + x] =
                pixels[static_cast<size_t>(fromY) * stored.width + fromX];
        }
    }
    return out;
}

}  // namespace tonvale
