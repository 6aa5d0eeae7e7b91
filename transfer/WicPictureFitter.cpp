#include "WicPictureFitter.h"

#include <objbase.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>
#include <span>
#include <string>

#include "LaterBound.h"
#include "Resample.h"

namespace tonvale {

namespace {

enum class Format { Jpeg, Png, Bmp, Gif, Other };

using Pixels = std::vector<uint32_t, UninitializedAllocator<uint32_t>>;

// Fitting stops here and the file goes as it is, with the reason in the log.
struct NotFitted {
    std::wstring why;
};

constexpr const wchar_t* kReading = L"the picture could not be read";
constexpr const wchar_t* kWriting = L"the fitted picture could not be written";

void check(HRESULT result, const wchar_t* what) {
    if (FAILED(result)) {
        wchar_t code[16] = {};
        std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(result));
        throw NotFitted{std::wstring(what) + L" (error " + code + L")"};
    }
}

template <typename Function>
Function fromCom(const char* name) {
    return laterBound<Function>(L"ole32.dll", name);
}

template <typename Interface>
OwnedComPointer<Interface> owned(Interface* object) {
    return OwnedComPointer<Interface>(object);
}

Format formatOf(const GUID& container) {
    if (container == GUID_ContainerFormatJpeg) {
        return Format::Jpeg;
    }
    if (container == GUID_ContainerFormatPng) {
        return Format::Png;
    }
    if (container == GUID_ContainerFormatBmp) {
        return Format::Bmp;
    }
    return container == GUID_ContainerFormatGif ? Format::Gif : Format::Other;
}

// The first frame as 32-bit BGRA with straight alpha.
Pixels decode(IWICImagingFactory& wic, IWICBitmapFrameDecode& frame, PictureSize size) {
    const uint64_t bytes = uint64_t{4} * static_cast<uint32_t>(size.width) * size.height;
    if (bytes > INT_MAX) {
        throw std::bad_alloc();
    }
    IWICFormatConverter* converter = nullptr;
    check(wic.CreateFormatConverter(&converter), kReading);
    const auto owner = owned(converter);
    check(converter->Initialize(&frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom),
          kReading);
    Pixels pixels(static_cast<size_t>(size.width) * size.height);
    // A band of rows at a time: a converter holds the rows it is asked for in the source's own
    // format as well (Wine's, all of them at once), and a band's worth is small.
    constexpr int kBandRows = 64;
    const UINT stride = static_cast<UINT>(size.width) * 4;
    for (int top = 0; top < size.height; top += kBandRows) {
        const int rows = std::min(kBandRows, size.height - top);
        const WICRect band{0, top, size.width, rows};
        check(converter->CopyPixels(
                  &band, stride, stride * static_cast<UINT>(rows),
                  reinterpret_cast<BYTE*>(pixels.data() + static_cast<size_t>(top) * size.width)),
              kReading);
    }
    return pixels;
}

bool anyTransparent(const Pixels& pixels) {
    return std::any_of(pixels.begin(), pixels.end(),
                       [](uint32_t pixel) { return pixel < 0xFF000000u; });
}

// JPEG at a quality of 0.90 (Windows honours it; Wine keeps its own), PNG with its alpha, BMP
// of 24 bits, GIF of 8 bits through a palette made for the picture.
void writeFrame(IWICImagingFactory& wic, IWICBitmapEncoder& encoder, Format format,
                const std::vector<uint32_t>& pixels, PictureSize size) {
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    check(encoder.CreateNewFrame(&frame, &options), kWriting);
    const auto frameOwner = owned(frame);
    const auto optionsOwner = owned(options);
    if (format == Format::Jpeg && options != nullptr) {
        PROPBAG2 quality{};
        quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value{};
        value.vt = VT_R4;
        value.fltVal = 0.90f;
        options->Write(1, &quality, &value);
    }
    check(frame->Initialize(options), kWriting);
    check(frame->SetSize(static_cast<UINT>(size.width), static_cast<UINT>(size.height)), kWriting);
    WICPixelFormatGUID pixelFormat = format == Format::Png   ? GUID_WICPixelFormat32bppBGRA
                                     : format == Format::Gif ? GUID_WICPixelFormat8bppIndexed
                                                             : GUID_WICPixelFormat24bppBGR;
    check(frame->SetPixelFormat(&pixelFormat), kWriting);

    IWICBitmap* bitmap = nullptr;
    const UINT stride = static_cast<UINT>(size.width) * 4;
    check(wic.CreateBitmapFromMemory(
              static_cast<UINT>(size.width), static_cast<UINT>(size.height),
              GUID_WICPixelFormat32bppBGRA, stride, stride * static_cast<UINT>(size.height),
              reinterpret_cast<BYTE*>(const_cast<uint32_t*>(pixels.data())), &bitmap),
          kWriting);
    const auto bitmapOwner = owned(bitmap);
    OwnedComPointer<IWICPalette> palette;
    if (format == Format::Gif) {
        IWICPalette* made = nullptr;
        check(wic.CreatePalette(&made), kWriting);
        palette.reset(made);
        check(made->InitializeFromBitmap(bitmap, 256, FALSE), kWriting);
        check(frame->SetPalette(made), kWriting);
    }
    IWICBitmapSource* source = bitmap;
    OwnedComPointer<IWICFormatConverter> converterOwner;
    if (pixelFormat != GUID_WICPixelFormat32bppBGRA) {
        IWICFormatConverter* converter = nullptr;
        check(wic.CreateFormatConverter(&converter), kWriting);
        converterOwner.reset(converter);
        check(converter->Initialize(bitmap, pixelFormat, WICBitmapDitherTypeNone, palette.get(),
                                    0.0, WICBitmapPaletteTypeCustom),
              kWriting);
        source = converter;
    }
    check(frame->WriteSource(source, nullptr), kWriting);
    check(frame->Commit(), kWriting);
}

// The file of the picture in `format`.
Contents encode(IWICImagingFactory& wic, Format format, const std::vector<uint32_t>& pixels,
                PictureSize size) {
    static const auto createStream =
        fromCom<decltype(&CreateStreamOnHGlobal)>("CreateStreamOnHGlobal");
    if (createStream == nullptr) {
        check(E_NOTIMPL, kWriting);
    }
    IStream* stream = nullptr;
    check(createStream(nullptr, TRUE, &stream), kWriting);
    const auto streamOwner = owned(stream);
    const GUID container = format == Format::Jpeg  ? GUID_ContainerFormatJpeg
                           : format == Format::Png ? GUID_ContainerFormatPng
                           : format == Format::Bmp ? GUID_ContainerFormatBmp
                                                   : GUID_ContainerFormatGif;
    IWICBitmapEncoder* encoder = nullptr;
    check(wic.CreateEncoder(container, nullptr, &encoder), kWriting);
    const auto encoderOwner = owned(encoder);
    check(encoder->Initialize(stream, WICBitmapEncoderNoCache), kWriting);
    writeFrame(wic, *encoder, format, pixels, size);
    check(encoder->Commit(), kWriting);

    STATSTG about{};
    check(stream->Stat(&about, STATFLAG_NONAME), kWriting);
    if (about.cbSize.QuadPart > INT_MAX) {
        throw std::bad_alloc();
    }
    Contents file(static_cast<size_t>(about.cbSize.QuadPart));
    LARGE_INTEGER start{};
    check(stream->Seek(start, STREAM_SEEK_SET, nullptr), kWriting);
    ULONG read = 0;
    check(stream->Read(file.data(), static_cast<ULONG>(file.size()), &read), kWriting);
    file.resize(read);
    return file;
}

}  // namespace

IWICImagingFactory* WicPictureFitter::factory() {
    if (!asked_) {
        asked_ = true;
        factory_ =
            apartment_.create<IWICImagingFactory>(CLSID_WICImagingFactory, IID_IWICImagingFactory);
    }
    return factory_.get();
}

FittedPicture WicPictureFitter::fit(Contents& contents, PictureSize screen) {
    using Outcome = FittedPicture::Outcome;
    if (contents.empty() || contents.size() > UINT_MAX) {
        return {};
    }
    IWICImagingFactory* wic = factory();
    if (wic == nullptr) {
        return {Outcome::NotFitted, {}, L"Windows' imaging component is missing"};
    }
    try {
        Format format = Format::Other;
        PictureSize stored;
        int orientation = 1;
        Pixels pixels;
        {
            // From the contents in memory, never from the file by its name. The decoder keeps
            // a copy of its own, which goes with it at the end of this block.
            IWICStream* stream = nullptr;
            check(wic->CreateStream(&stream), kReading);
            const auto streamOwner = owned(stream);
            check(
                stream->InitializeFromMemory(contents.data(), static_cast<DWORD>(contents.size())),
                kReading);
            IWICBitmapDecoder* decoder = nullptr;
            const HRESULT found = wic->CreateDecoderFromStream(
                stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder);
            if (found == WINCODEC_ERR_COMPONENTNOTFOUND) {
                return {};  // no picture the component knows
            }
            check(found, kReading);
            const auto decoderOwner = owned(decoder);
            GUID container{};
            check(decoder->GetContainerFormat(&container), kReading);
            format = formatOf(container);
            UINT frames = 0;
            check(decoder->GetFrameCount(&frames), kReading);
            if (format == Format::Other || frames != 1) {
                return {};  // another kind of picture, or an animation: left as they are
            }
            IWICBitmapFrameDecode* frame = nullptr;
            check(decoder->GetFrame(0, &frame), kReading);
            const auto frameOwner = owned(frame);
            UINT width = 0;
            UINT height = 0;
            check(frame->GetSize(&width, &height), kReading);
            if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX) {
                check(WINCODEC_ERR_BADIMAGE, kReading);
            }
            stored = {static_cast<int>(width), static_cast<int>(height)};
            orientation = format == Format::Jpeg ? jpegOrientation(contents) : 1;
            if (orientation == 1 && fitsInside(stored, screen)) {
                return {};
            }
            pixels = decode(*wic, *frame, stored);
        }
        if (format == Format::Gif && anyTransparent(pixels)) {
            // Wine's GIF encoder cannot write a transparent colour.
            return {Outcome::NotFitted, {}, L"its transparent colour cannot be kept"};
        }
        // Turned after scaling, on the fewer pixels.
        const PictureSize upright = uprightSize(stored, orientation);
        const PictureSize target =
            fitsInside(upright, screen) ? upright : fittedSize(upright, screen);
        const PictureSize storedTarget = uprightSize(target, orientation);
        if (storedTarget != stored) {
            Pixels scaled(static_cast<size_t>(storedTarget.width) * storedTarget.height);
            if (!resampleBgra(reinterpret_cast<const uint8_t*>(pixels.data()), stored,
                              reinterpret_cast<uint8_t*>(scaled.data()), storedTarget)) {
                throw std::bad_alloc();
            }
            pixels = std::move(scaled);
        }
        const std::vector<uint32_t> shown = uprightPixels(
            std::span<const uint32_t>(pixels.data(), pixels.size()), storedTarget, orientation);
        pixels = Pixels();
        contents = encode(*wic, format, shown, target);
        return {Outcome::Fitted, target, {}};
    } catch (const NotFitted& failure) {
        return {Outcome::NotFitted, {}, failure.why};
    } catch (const std::bad_alloc&) {
        return {Outcome::NotFitted, {}, L"the picture is too large for the memory at hand"};
    }
}

}  // namespace tonvale
