// Pictures fitted to the phone's screen as they are uploaded: made by the test with Windows'
// imaging component, uploaded through the real window, and read back from the virtual phone.
#include <algorithm>
#include <cmath>

#include "Form1Fixture.h"
#include "TestPictures.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

uint32_t gradient(int x, int y, int width, int height) {
    return argb(255, 255 * x / width, 255 * y / height, 128);
}
uint32_t checkerboard(int x, int y, int, int) {
    return (x + y) % 2 == 0 ? argb(255, 0, 0, 0) : argb(255, 255, 255, 255);
}
uint32_t leftHalfClear(int x, int, int width, int) {
    return x < width / 2 ? argb(0, 0, 0, 0) : argb(255, 0, 0, 255);
}

// Four corners of four colours, as a viewer shows the picture.
constexpr uint32_t kRed = argb(255, 255, 0, 0);
constexpr uint32_t kGreen = argb(255, 0, 255, 0);
constexpr uint32_t kBlue = argb(255, 0, 0, 255);
constexpr uint32_t kWhite = argb(255, 255, 255, 255);
// For each orientation, the corner of the stored picture that a viewer honouring the tag shows
// at the top left, top right, bottom left and bottom right (0 top left, 1 top right, 2 bottom
// left, 3 bottom right), by the Exif standard's description of the eight values.
constexpr int kShownFrom[8][4] = {
    {0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}, {2, 3, 0, 1},
    {0, 2, 1, 3}, {2, 0, 3, 1}, {3, 1, 2, 0}, {1, 3, 0, 2},
};
int storedOrientation = 1;
uint32_t cornersFor(int x, int y, int width, int height) {
    const int corner = (x < width / 2 ? 0 : 1) + (y < height / 2 ? 0 : 2);
    const uint32_t shown[4] = {kRed, kGreen, kBlue, kWhite};
    for (int at = 0; at < 4; ++at) {
        if (kShownFrom[storedOrientation - 1][at] == corner) {
            return shown[at];
        }
    }
    return 0;
}

bool closeTo(uint32_t pixel, uint32_t wanted) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((pixel >> shift) & 0xFF);
        const int b = static_cast<int>((wanted >> shift) & 0xFF);
        if (std::abs(a - b) > 48) {
            return false;
        }
    }
    return true;
}

class PictureFittingTest : public Form1Test {
  protected:
    void SetUp() override {
        startConnected();
        form().setPictureOptions({true, 176, 220});
    }
    // Opens the files under the tab and uploads them; the log of the upload.
    Lines upload(const std::vector<std::pair<const wchar_t*, std::string>>& files, int tab = 0) {
        std::vector<fs::path> paths;
        for (const auto& [name, bytes] : files) {
            paths.push_back(localFile(name, bytes));
        }
        clickTab(tab);
        openFiles(paths);
        press(L"BitBtn10");
        press(L"BitBtn2");
        return logLines();
    }
    std::string onThePhone(const wchar_t* name, const wchar_t* folder = L"picture") {
        return readBytes(onPhone(folder, name));
    }
};

// A baseline JPEG (its frame marker 0xFFC0), a PNG keeping its transparency, a GIF and a BMP,
// each at the largest size of its proportions that fits; a tagged JPEG upright, turned even
// when it fits; a one-pixel checkerboard an even grey, as a filter that weighs every pixel
// makes it.
TEST_F(PictureFittingTest, PicturesLargerThanTheScreenArriveFittedInTheirOwnFormat) {
    const std::string photo = makePicture(GUID_ContainerFormatJpeg, 1600, 1200, &gradient);
    const Lines log = upload({
        {L"a.jpg", photo},
        {L"b.jpg", withOrientation(photo, 6)},
        {L"c.png", makePicture(GUID_ContainerFormatPng, 400, 400, &leftHalfClear)},
        {L"d.gif", makePicture(GUID_ContainerFormatGif, 400, 300, &gradient)},
        {L"e.bmp", makePicture(GUID_ContainerFormatBmp, 300, 300, &gradient)},
        {L"f.png", makePicture(GUID_ContainerFormatPng, 1760, 2200, &checkerboard)},
        {L"g.jpg", withOrientation(makePicture(GUID_ContainerFormatJpeg, 200, 100, &gradient), 6)},
    });
    EXPECT_EQ(Lines(log.begin() + 1, log.end() - 1),
              (Lines{L"a.jpg was uploaded in phone", L"a.jpg was fitted to 176x132",
                     L"b.jpg was uploaded in phone", L"b.jpg was fitted to 165x220",
                     L"c.png was uploaded in phone", L"c.png was fitted to 176x176",
                     L"d.gif was uploaded in phone", L"d.gif was fitted to 176x132",
                     L"e.bmp was uploaded in phone", L"e.bmp was fitted to 176x176",
                     L"f.png was uploaded in phone", L"f.png was fitted to 176x220",
                     L"g.jpg was uploaded in phone", L"g.jpg was fitted to 100x200"}));

    const std::string a = onThePhone(L"a.jpg");
    const TestPicture fitted = readPicture(a);
    EXPECT_EQ(fitted.format, GUID_ContainerFormatJpeg);
    EXPECT_EQ(fitted.width, 176);
    EXPECT_EQ(fitted.height, 132);
    EXPECT_NE(a.find("\xFF\xC0"), std::string::npos) << "a baseline frame";
    EXPECT_EQ(a.find("\xFF\xC2"), std::string::npos) << "no progressive one";
    EXPECT_LT(a.size(), photo.size());
    EXPECT_EQ(readPicture(onThePhone(L"b.jpg")).width, 165);
    EXPECT_EQ(readPicture(onThePhone(L"g.jpg")).height, 200);

    const TestPicture png = readPicture(onThePhone(L"c.png"));
    EXPECT_EQ(png.format, GUID_ContainerFormatPng);
    EXPECT_EQ(png.at(20, 88) >> 24, 0u) << "the clear half stays clear";
    EXPECT_TRUE(closeTo(png.at(150, 88), argb(255, 0, 0, 255)));
    const TestPicture gif = readPicture(onThePhone(L"d.gif"));
    EXPECT_EQ(gif.format, GUID_ContainerFormatGif);
    EXPECT_EQ(gif.width, 176);
    EXPECT_EQ(readPicture(onThePhone(L"e.bmp")).format, GUID_ContainerFormatBmp);

    // Nearest-neighbour gives all black or all white; each channel here is an even grey.
    const TestPicture grey = readPicture(onThePhone(L"f.png"));
    ASSERT_EQ(grey.pixels.size(), 176u * 220u);
    for (int shift : {0, 8, 16}) {
        double sum = 0;
        double squares = 0;
        for (uint32_t pixel : grey.pixels) {
            const double value = ((pixel >> shift) & 0xFF) / 255.0;
            sum += value;
            squares += value * value;
        }
        const double mean = sum / grey.pixels.size();
        const double deviation = std::sqrt(squares / grey.pixels.size() - mean * mean);
        EXPECT_GT(mean, 0.20) << shift;
        EXPECT_LT(mean, 0.80) << shift;
        EXPECT_LT(deviation, 0.08) << shift;
    }
}

// Tagged 1 to 8, each corner's colour arrives where a viewer that honours the tag shows it;
// the phones' viewers do not, so every tagged one is turned although all fit the screen.
TEST_F(PictureFittingTest, EachOfTheEightOrientationsArrivesUpright) {
    std::vector<std::pair<const wchar_t*, std::string>> files;
    const wchar_t* names[8] = {L"o1.jpg", L"o2.jpg", L"o3.jpg", L"o4.jpg",
                               L"o5.jpg", L"o6.jpg", L"o7.jpg", L"o8.jpg"};
    for (storedOrientation = 1; storedOrientation <= 8; ++storedOrientation) {
        // Shown 64 wide and 96 high; stored on its side for the quarter turns.
        const bool onItsSide = storedOrientation >= 5;
        const std::string stored = makePicture(GUID_ContainerFormatJpeg, onItsSide ? 96 : 64,
                                               onItsSide ? 64 : 96, &cornersFor);
        files.emplace_back(names[storedOrientation - 1],
                           withOrientation(stored, storedOrientation));
    }
    upload(files);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string file = onThePhone(names[orientation - 1]);
        const TestPicture shown = readPicture(file);
        if (orientation > 1) {
            EXPECT_EQ(file.find("Exif"), std::string::npos) << "turned, it carries no tag";
        }
        ASSERT_EQ(shown.width, 64);
        ASSERT_EQ(shown.height, 96);
        EXPECT_TRUE(closeTo(shown.at(8, 8), kRed));
        EXPECT_TRUE(closeTo(shown.at(55, 8), kGreen));
        EXPECT_TRUE(closeTo(shown.at(8, 87), kBlue));
        EXPECT_TRUE(closeTo(shown.at(55, 87), kWhite));
    }
}

// A picture that fits, an animation, a file that is no picture, and every file of another
// category or with the option off, go byte for byte and say nothing more; a picture that cannot
// be fitted says why.
TEST_F(PictureFittingTest, WhatIsNotFittedArrivesByteForByte) {
    const std::string small = makePicture(GUID_ContainerFormatJpeg, 100, 100, &gradient);
    const std::string photo = makePicture(GUID_ContainerFormatJpeg, 1600, 1200, &gradient);
    const std::string clear = gifWithTransparentColour(300, 300);
    const Lines log = upload({{L"small.jpg", small},
                              {L"anim.gif", animatedGif()},
                              {L"clear.gif", clear},
                              {L"notes.jpg", "not a picture at all"},
                              {L"broken.jpg", photo.substr(0, 700)}});
    ASSERT_EQ(log.size(), 9u);
    // Its error code is the component's own, which differs between systems.
    EXPECT_TRUE(log[3].starts_with(L"broken.jpg was not fitted: the picture could not be read"))
        << log[3];
    EXPECT_EQ(Lines(log.begin() + 1, log.end() - 1),
              (Lines{L"anim.gif was uploaded in phone", L"broken.jpg was uploaded in phone", log[3],
                     L"clear.gif was uploaded in phone",
                     L"clear.gif was not fitted: its transparent colour cannot be kept",
                     L"notes.jpg was uploaded in phone", L"small.jpg was uploaded in phone"}));
    EXPECT_TRUE(onThePhone(L"small.jpg") == small);
    EXPECT_TRUE(onThePhone(L"anim.gif") == animatedGif());
    EXPECT_TRUE(onThePhone(L"clear.gif") == clear);
    EXPECT_EQ(onThePhone(L"notes.jpg"), "not a picture at all");
    EXPECT_TRUE(onThePhone(L"broken.jpg") == photo.substr(0, 700));

    upload({{L"tone.jpg", photo}}, 1);
    EXPECT_TRUE(onThePhone(L"tone.jpg", L"audio") == photo) << "the Music category's folder";
    form().setPictureOptions({false, 176, 220});
    const Lines off = upload({{L"photo.jpg", photo}});
    EXPECT_TRUE(onThePhone(L"photo.jpg") == photo) << "the option off";
    EXPECT_EQ(std::count(off.begin(), off.end(), L"photo.jpg was uploaded in phone"), 1);
    EXPECT_EQ(off.size(), 2u + 7u) << "seven entries, no more lines";
}

}  // namespace
}  // namespace tonvale::testing
