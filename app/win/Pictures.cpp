#include "Pictures.h"

#include <cmath>
#include <string>
#include <vector>

namespace tonvale::win {

namespace {

struct Pixels {
    int size = 0;
    std::vector<float> rgba;  // premultiplied, top row first
};

// The picture's pixels, premultiplied; nothing for a picture that is not 32-bit and square.
Pixels readPicture(HBITMAP picture) {
    DIBSECTION section{};
    if (picture == nullptr || GetObjectW(picture, sizeof section, &section) != sizeof section ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr ||
        section.dsBm.bmWidth != section.dsBm.bmHeight) {
        return {};
    }
    const int size = section.dsBm.bmWidth;
    const bool bottomUp = section.dsBmih.biHeight > 0;
    Pixels pixels{size, std::vector<float>(static_cast<size_t>(size) * size * 4)};
    const auto* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
    for (int y = 0; y < size; ++y) {
        const BYTE* row = bits + static_cast<size_t>(bottomUp ? size - 1 - y : y) * size * 4;
        for (int x = 0; x < size; ++x) {
            const BYTE* pixel = row + x * 4;
            const float alpha = pixel[3] / 255.0f;
            float* out = &pixels.rgba[(static_cast<size_t>(y) * size + x) * 4];
            for (int channel = 0; channel < 3; ++channel) {
                out[channel] = pixel[channel] * alpha;
            }
            out[3] = pixel[3];
        }
    }
    return pixels;
}

// How much of source pixel `source` lies under target pixel `target`, along one axis.
float overlap(int target, float scale, int source) {
    const float start = target * scale;
    const float end = start + scale;
    return std::max(0.0f, std::min(end, source + 1.0f) - std::max(start, float(source)));
}

// Each target pixel is the average of the source area it covers, so that a picture shrinks
// without losing thin lines and grows without jagged steps.
OwnedBitmap drawPicture(const Pixels& source, int size, bool premultiplied) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) {
        return {};
    }
    const float scale = static_cast<float>(source.size) / static_cast<float>(size);
    auto* target = static_cast<BYTE*>(bits);
    for (int y = 0; y < size; ++y) {
        const int firstY = static_cast<int>(std::floor(y * scale));
        const int lastY = std::min(source.size - 1, static_cast<int>(std::ceil((y + 1) * scale)));
        for (int x = 0; x < size; ++x) {
            const int firstX = static_cast<int>(std::floor(x * scale));
            const int lastX =
                std::min(source.size - 1, static_cast<int>(std::ceil((x + 1) * scale)));
            float sums[4] = {};
            float weights = 0;
            for (int sy = firstY; sy <= lastY; ++sy) {
                const float wy = overlap(y, scale, sy);
                for (int sx = firstX; sx <= lastX; ++sx) {
                    const float weight = wy * overlap(x, scale, sx);
                    const float* pixel =
                        &source.rgba[(static_cast<size_t>(sy) * source.size + sx) * 4];
                    for (int channel = 0; channel < 4; ++channel) {
                        sums[channel] += pixel[channel] * weight;
                    }
                    weights += weight;
                }
            }
            BYTE* out = target + (static_cast<size_t>(y) * size + x) * 4;
            const float alpha = weights > 0 ? sums[3] / weights : 0;
            for (int channel = 0; channel < 3; ++channel) {
                const float value = weights > 0 ? sums[channel] / weights : 0;
                const float shown = premultiplied ? value : (alpha > 0 ? value * 255 / alpha : 0);
                out[channel] = static_cast<BYTE>(std::lround(std::min(255.0f, shown)));
            }
            out[3] = static_cast<BYTE>(std::lround(std::min(255.0f, alpha)));
        }
    }
    return picture;
}

// The drawing nearer to `size`: 32 or 64 pixels; the larger at a tie, which shrinks well.
OwnedBitmap loadNearerDrawing(HINSTANCE instance, const wchar_t* resourceName, int size) {
    if (size * 2 >= kPictureSize * 3) {
        const std::wstring large = std::wstring(resourceName) + L"_2X";
        if (HANDLE drawing =
                LoadImageW(instance, large.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) {
            return OwnedBitmap(static_cast<HBITMAP>(drawing));
        }
    }
    return OwnedBitmap(static_cast<HBITMAP>(
        LoadImageW(instance, resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A drawing shown at its own size, as at 100 % and 200 %, is used as it is, its colours
// premultiplied in place for a menu.
OwnedBitmap asDrawn(OwnedBitmap drawing, bool premultiplied) {
    DIBSECTION section{};
    if (!premultiplied || GetObjectW(drawing.get(), sizeof section, &section) != sizeof section ||
        section.dsBm.bmBits == nullptr) {
        return drawing;
    }
    auto* pixel = static_cast<BYTE*>(section.dsBm.bmBits);
    const long count = static_cast<long>(section.dsBm.bmWidth) * section.dsBm.bmHeight;
    for (long i = 0; i < count; ++i, pixel += 4) {
        for (int channel = 0; channel < 3; ++channel) {
            pixel[channel] = static_cast<BYTE>((pixel[channel] * pixel[3] + 127) / 255);
        }
    }
    return drawing;
}

OwnedBitmap loadAt(HINSTANCE instance, const wchar_t* resourceName, int size, bool premultiplied) {
    OwnedBitmap drawing = loadNearerDrawing(instance, resourceName, size);
    BITMAP shape{};
    if (size <= 0 || GetObjectW(drawing.get(), sizeof shape, &shape) != sizeof shape) {
        return {};
    }
    if (shape.bmWidth == size && shape.bmHeight == size && shape.bmBitsPixel == 32) {
        return asDrawn(std::move(drawing), premultiplied);
    }
    const Pixels pixels = readPicture(drawing.get());
    return pixels.size == 0 ? OwnedBitmap() : drawPicture(pixels, size, premultiplied);
}

}  // namespace

OwnedBitmap loadPicture(HINSTANCE instance, const wchar_t* resourceName, int size) {
    return loadAt(instance, resourceName, size, false);
}

OwnedBitmap loadMenuPicture(HINSTANCE instance, const wchar_t* resourceName, int size) {
    return loadAt(instance, resourceName, size, true);
}

OwnedImageList loadPictureList(HINSTANCE instance, std::initializer_list<const wchar_t*> names,
                               int size) {
    OwnedImageList list(
        ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(names.size()), 0));
    // Every slot exists even when a picture is missing, so indexes stay as given.
    ImageList_SetImageCount(list.get(), static_cast<UINT>(names.size()));
    int index = 0;
    for (const wchar_t* name : names) {
        if (const OwnedBitmap picture = loadPicture(instance, name, size)) {
            ImageList_Replace(list.get(), index, picture.get(), nullptr);
        }
        ++index;
    }
    return list;
}

}  // namespace tonvale::win
