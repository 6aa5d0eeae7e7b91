#include "Pictures.h"

namespace tonvale::win {

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

OwnedImageList loadPictureList(HINSTANCE instance, std::initializer_list<const wchar_t*> names) {
    OwnedImageList list(ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR32,
                                         static_cast<int>(names.size()), 0));
    // Every slot exists even when a picture is missing, so indexes stay as given.
    ImageList_SetImageCount(list.get(), static_cast<UINT>(names.size()));
    int index = 0;
    for (const wchar_t* name : names) {
        OwnedBitmap picture = loadPicture(instance, name);
        if (picture) {
            ImageList_Replace(list.get(), index, picture.get(), nullptr);
        }
        ++index;
    }
    return list;
}

}  // namespace tonvale::win
