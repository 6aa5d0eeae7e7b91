#include "Pictures.h"

namespace tonvale::win {

namespace {

// The picture at `size` pixels square, each pixel the average of the block it stands for;
// colours weigh by their alpha so that transparent pixels do not darken the edges.
OwnedBitmap shrinkPicture(const OwnedBitmap& picture, int size) {
    DIBSECTION section{};
    if (!picture || GetObjectW(picture.get(), sizeof section, &section) != sizeof section ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr ||
        section.dsBm.bmWidth != kPictureSize || section.dsBm.bmHeight != kPictureSize) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    // Rows in the same order as the source's.
    info.bmiHeader.biHeight = section.dsBmih.biHeight < 0 ? -size : size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap small(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!small) {
        return {};
    }
    const int factor = kPictureSize / size;
    const auto* source = static_cast<const BYTE*>(section.dsBm.bmBits);
    auto* target = static_cast<BYTE*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            unsigned sums[4] = {};
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx) {
                    const BYTE* pixel =
                        source + ((y * factor + dy) * kPictureSize + x * factor + dx) * 4;
                    for (int channel = 0; channel < 3; ++channel) {
                        sums[channel] += pixel[channel] * pixel[3];
                    }
                    sums[3] += pixel[3];
                }
            }
            BYTE* out = target + (y * size + x) * 4;
            for (int channel = 0; channel < 3; ++channel) {
                out[channel] = static_cast<BYTE>(sums[3] != 0 ? sums[channel] / sums[3] : 0);
            }
            out[3] = static_cast<BYTE>(sums[3] / static_cast<unsigned>(factor * factor));
        }
    }
    return small;
}

}  // namespace

OwnedBitmap loadPicture(HINSTANCE instance, const wchar_t* resourceName) {
    return OwnedBitmap(static_cast<HBITMAP>(
        LoadImageW(instance, resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

OwnedBitmap loadMenuPicture(HINSTANCE instance, const wchar_t* resourceName) {
    OwnedBitmap bitmap = loadPicture(instance, resourceName);
    DIBSECTION section{};
    if (!bitmap || GetObjectW(bitmap.get(), sizeof section, &section) != sizeof section ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmBits == nullptr) {
        return bitmap;
    }
    auto* pixel = static_cast<BYTE*>(section.dsBm.bmBits);
    const long count = static_cast<long>(section.dsBm.bmWidth) * section.dsBm.bmHeight;
    for (long i = 0; i < count; ++i, pixel += 4) {
        const unsigned alpha = pixel[3];
        for (int channel = 0; channel < 3; ++channel) {
            pixel[channel] = static_cast<BYTE>(pixel[channel] * alpha / 255);
        }
    }
    return bitmap;
}

OwnedImageList loadPictureList(HINSTANCE instance, std::initializer_list<const wchar_t*> names,
                               int size) {
    OwnedImageList list(
        ImageList_Create(size, size, ILC_COLOR32, static_cast<int>(names.size()), 0));
    // Every slot exists even when a picture is missing, so indexes stay as given.
    ImageList_SetImageCount(list.get(), static_cast<UINT>(names.size()));
    int index = 0;
    for (const wchar_t* name : names) {
        OwnedBitmap picture = loadPicture(instance, name);
        if (size != kPictureSize) {
            picture = shrinkPicture(picture, size);
        }
        if (picture) {
            ImageList_Replace(list.get(), index, picture.get(), nullptr);
        }
        ++index;
    }
    return list;
}

}  // namespace tonvale::win
