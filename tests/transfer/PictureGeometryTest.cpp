// Fitting a picture to a screen, by numbers: the orientation a JPEG is tagged with, the eight
// ways it turns the pixels, and the size it fits at.
#include <gtest/gtest.h>

#include <string>

#include "PictureGeometry.h"

namespace tonvale {
namespace {

using namespace std::string_literals;

std::span<const unsigned char> bytesOf(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

// A JPEG's head: its start, a JFIF segment, then `segments`, then the first scan.
std::string jpegWith(const std::string& segments) {
    return "\xFF\xD8"s + "\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"s +
           segments + "\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00"s;
}

// An APP1 Exif segment whose IFD0 holds one entry: `tag` of `type` with `value`.
std::string exifSegment(bool bigEndian, int tag, int type, int value) {
    const auto two = [bigEndian](int v) {
        const std::string le{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
        return bigEndian ? std::string{le[1], le[0]} : le;
    };
    const auto four = [&](int v) { return bigEndian ? two(0) + two(v) : two(v) + two(0); };
    const std::string tiff = (bigEndian ? "MM\0*"s : "II*\0"s) + four(8) + two(1) + two(tag) +
                             two(type) + four(1) + two(value) + two(0) + four(0);
    const std::string body = "Exif\0\0"s + tiff;
    const size_t length = body.size() + 2;
    return "\xFF\xE1"s + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) + body;
}

TEST(PictureGeometry, TheOrientationTagIsReadInEitherByteOrderAndAnythingElseIsUpright) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        EXPECT_EQ(jpegOrientation(bytesOf(jpegWith(exifSegment(false, 0x0112, 3, orientation)))),
                  orientation);
        EXPECT_EQ(jpegOrientation(bytesOf(jpegWith(exifSegment(true, 0x0112, 3, orientation)))),
                  orientation);
    }
    const std::string xmp = "\xFF\xE1\x00\x0Ahttp:/x\0"s;
    EXPECT_EQ(
        jpegOrientation(bytesOf(jpegWith("\xFF\xFF"s + xmp + exifSegment(true, 0x0112, 3, 6)))), 6)
        << "fill bytes and another APP1 before it";
    EXPECT_EQ(jpegOrientation(bytesOf(jpegWith(""))), 1);
    EXPECT_EQ(jpegOrientation(bytesOf(jpegWith(exifSegment(false, 0x0112, 3, 9)))), 1);
    EXPECT_EQ(jpegOrientation(bytesOf(jpegWith(exifSegment(false, 0x0112, 4, 6)))), 1);
    EXPECT_EQ(jpegOrientation(bytesOf(jpegWith(exifSegment(false, 0x0110, 3, 6)))), 1);
    // After the first scan nothing counts; a cut-off segment is no segment.
    const std::string late = jpegWith("") + exifSegment(false, 0x0112, 3, 6);
    EXPECT_EQ(jpegOrientation(bytesOf(late)), 1);
    const std::string whole = jpegWith(exifSegment(false, 0x0112, 3, 6));
    for (size_t cut = 0; cut + 10 < whole.size(); ++cut) {  // the scan's head is 10 bytes
        EXPECT_EQ(jpegOrientation(bytesOf(whole.substr(0, cut))), 1) << cut;
    }
    EXPECT_EQ(jpegOrientation(bytesOf("\x89PNG\r\n\x1A\n"s)), 1);
}

TEST(PictureGeometry, APictureFitsAtTheLargestSizeOfItsProportions) {
    const PictureSize screen{176, 220};
    EXPECT_EQ(fittedSize({1200, 1600}, screen), (PictureSize{165, 220}));
    EXPECT_EQ(fittedSize({1600, 1200}, screen), (PictureSize{176, 132}));
    EXPECT_EQ(fittedSize({1760, 2200}, screen), (PictureSize{176, 220}));
    EXPECT_EQ(fittedSize({4000, 3000}, {240, 320}), (PictureSize{240, 180}));
    EXPECT_EQ(fittedSize({100000, 7}, screen), (PictureSize{176, 1})) << "never below 1";
    EXPECT_EQ(fittedSize({333, 1000}, screen), (PictureSize{73, 220})) << "73.26 rounds down";
    EXPECT_EQ(fittedSize({335, 1000}, screen), (PictureSize{74, 220})) << "73.7 rounds up";
    EXPECT_TRUE(fitsInside({176, 220}, screen));
    EXPECT_FALSE(fitsInside({177, 10}, screen));
    EXPECT_EQ(uprightSize({200, 100}, 6), (PictureSize{100, 200}));
    EXPECT_EQ(uprightSize({200, 100}, 3), (PictureSize{200, 100}));
}

// A picture of 3 by 2: the stored rows "1 2 3" and "4 5 6".
TEST(PictureGeometry, EachOrientationShowsTheStoredPixelsWhereAViewerShowsThem) {
    const std::vector<uint32_t> stored{1, 2, 3, 4, 5, 6};
    const std::vector<std::vector<uint32_t>> upright{
        {1, 2, 3, 4, 5, 6},  // 1: as stored
        {3, 2, 1, 6, 5, 4},  // 2: mirrored
        {6, 5, 4, 3, 2, 1},  // 3: half round
        {4, 5, 6, 1, 2, 3},  // 4: upside down
        {1, 4, 2, 5, 3, 6},  // 5: the first row becomes the left column
        {4, 1, 5, 2, 6, 3},  // 6: a quarter clockwise
        {6, 3, 5, 2, 4, 1},  // 7: mirrored, then a quarter clockwise
        {3, 6, 2, 5, 1, 4},  // 8: a quarter anticlockwise
    };
    for (int orientation = 1; orientation <= 8; ++orientation) {
        EXPECT_EQ(uprightPixels(stored, {3, 2}, orientation), upright[orientation - 1])
            << orientation;
    }
}

}  // namespace
}  // namespace tonvale
