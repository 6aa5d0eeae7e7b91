#include "TestPictures.h"

#include <objbase.h>

#include <stdexcept>

namespace tonvale::testing {

namespace {

using namespace std::string_literals;

void check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw std::runtime_error(std::string(what) + " failed");
    }
}

// A reference to a COM object, released when it goes.
template <typename Interface>
struct Com {
    Interface* object = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (object != nullptr) {
            object->Release();
        }
    }
    Interface* operator->() const { return object; }
    Interface** out() { return &object; }
};

struct Factory {
    Factory() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IWICImagingFactory, reinterpret_cast<void**>(wic.out())),
              "the imaging factory");
    }
    Com<IWICImagingFactory> wic;
};

IWICImagingFactory& factory() {
    static Factory made;
    return *made.wic.object;
}

// The image data of a GIF: every pixel an index of a 4-colour table, coded as LZW codes of 3
// bits with a clear code before the table would grow, so that no code is wider.
std::string gifImageData(const std::vector<unsigned char>& indices) {
    constexpr unsigned kClear = 4;
    constexpr unsigned kEnd = 5;
    std::string bytes;
    unsigned buffer = 0;
    int bits = 0;
    const auto emit = [&](unsigned code) {
        buffer |= code << bits;
        bits += 3;
        while (bits >= 8) {
            bytes.push_back(static_cast<char>(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    };
    emit(kClear);
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i > 0 && i % 2 == 0) {
            emit(kClear);
        }
        emit(indices[i]);
    }
    emit(kEnd);
    if (bits > 0) {
        bytes.push_back(static_cast<char>(buffer & 0xFF));
    }
    std::string blocks = "\x02"s;  // the minimum code size
    for (size_t at = 0; at < bytes.size(); at += 255) {
        const std::string block = bytes.substr(at, 255);
        blocks += static_cast<char>(block.size()) + block;
    }
    return blocks + '\0';
}

std::string little16(int value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

}  // namespace

std::string makePicture(const GUID& format, int width, int height,
                        uint32_t (*colour)(int x, int y, int width, int height)) {
    IWICImagingFactory& wic = factory();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * width + x] = colour(x, y, width, height);
        }
    }
    Com<IWICBitmap> bitmap;
    const UINT stride = static_cast<UINT>(width) * 4;
    check(wic.CreateBitmapFromMemory(width, height, GUID_WICPixelFormat32bppBGRA, stride,
                                     stride * height, reinterpret_cast<BYTE*>(pixels.data()),
                                     bitmap.out()),
          "a bitmap");
    Com<IStream> stream;
    check(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()), "a stream");
    Com<IWICBitmapEncoder> encoder;
    check(wic.CreateEncoder(format, nullptr, encoder.out()), "an encoder");
    check(encoder->Initialize(stream.object, WICBitmapEncoderNoCache), "the encoder");
    Com<IWICBitmapFrameEncode> frame;
    check(encoder->CreateNewFrame(frame.out(), nullptr), "a frame");
    check(frame->Initialize(nullptr), "the frame");
    check(frame->SetSize(width, height), "the size");
    WICPixelFormatGUID pixelFormat =
        format == GUID_ContainerFormatPng
            ? GUID_WICPixelFormat32bppBGRA
            : (format == GUID_ContainerFormatGif ? GUID_WICPixelFormat8bppIndexed
                                                 : GUID_WICPixelFormat24bppBGR);
    check(frame->SetPixelFormat(&pixelFormat), "the pixel format");
    Com<IWICPalette> palette;
    IWICBitmapSource* source = bitmap.object;
    Com<IWICFormatConverter> converter;
    if (pixelFormat != GUID_WICPixelFormat32bppBGRA) {
        if (format == GUID_ContainerFormatGif) {
            check(wic.CreatePalette(palette.out()), "a palette");
            check(palette->InitializeFromBitmap(bitmap.object, 256, FALSE), "the palette");
            check(frame->SetPalette(palette.object), "the frame's palette");
        }
        check(wic.CreateFormatConverter(converter.out()), "a converter");
        check(converter->Initialize(bitmap.object, pixelFormat, WICBitmapDitherTypeNone,
                                    palette.object, 0.0, WICBitmapPaletteTypeCustom),
              "the converter");
        source = converter.object;
    }
    check(frame->WriteSource(source, nullptr), "the pixels");
    check(frame->Commit(), "the frame's end");
    check(encoder->Commit(), "the file's end");
    STATSTG about{};
    check(stream->Stat(&about, STATFLAG_NONAME), "the size written");
    std::string file(static_cast<size_t>(about.cbSize.QuadPart), '\0');
    LARGE_INTEGER start{};
    check(stream->Seek(start, STREAM_SEEK_SET, nullptr), "the stream's start");
    ULONG read = 0;
    check(stream->Read(file.data(), static_cast<ULONG>(file.size()), &read), "the file");
    return file;
}

TestPicture readPicture(const std::string& file) {
    IWICImagingFactory& wic = factory();
    TestPicture picture;
    Com<IWICStream> stream;
    check(wic.CreateStream(stream.out()), "a stream");
    check(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(file.data())),
                                       static_cast<DWORD>(file.size())),
          "the stream");
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(wic.CreateDecoderFromStream(stream.object, nullptr, WICDecodeMetadataCacheOnDemand,
                                           decoder.out()))) {
        return picture;
    }
    check(decoder->GetContainerFormat(&picture.format), "the format");
    check(decoder->GetFrameCount(&picture.frames), "the frames");
    Com<IWICBitmapFrameDecode> frame;
    check(decoder->GetFrame(0, frame.out()), "the first frame");
    UINT width = 0;
    UINT height = 0;
    check(frame->GetSize(&width, &height), "the picture's size");
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    Com<IWICFormatConverter> converter;
    check(wic.CreateFormatConverter(converter.out()), "a converter");
    check(converter->Initialize(frame.object, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom),
          "the converter");
    picture.pixels.resize(static_cast<size_t>(width) * height);
    check(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                reinterpret_cast<BYTE*>(picture.pixels.data())),
          "the pixels");
    return picture;
}

std::string withOrientation(const std::string& jpeg, int orientation) {
    // Little-endian TIFF, IFD0 at 8 with one entry: tag 0x0112, SHORT, one, the orientation.
    const std::string tiff = "II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0"s +
                             static_cast<char>(orientation) + "\0\0\0\0\0\0\0"s;
    const std::string body = "Exif\0\0"s + tiff;
    const size_t length = body.size() + 2;
    const std::string segment =
        "\xFF\xE1"s + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF) + body;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

std::string animatedGif() {
    const std::string table = "\0\0\0\xFF\0\0\0\xFF\0\0\0\xFF"s;  // black, red, green, blue
    std::string gif = "GIF89a"s + little16(2) + little16(2) + "\xF1\0\0"s + table;
    gif += "\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0"s;  // loop for ever
    for (unsigned char index : {1, 2}) {
        gif += "\x21\xF9\x04\x04\x0A\0\0\0"s;  // a tenth of a second each
        gif += "\x2C"s + little16(0) + little16(0) + little16(2) + little16(2) + '\0';
        gif += gifImageData(std::vector<unsigned char>(4, index));
    }
    return gif + ';';
}

std::string gifWithTransparentColour(int width, int height) {
    const std::string table = "\0\0\0\xFF\0\0\0\xFF\0\0\0\xFF"s;
    std::string gif = "GIF89a"s + little16(width) + little16(height) + "\xF1\0\0"s + table;
    gif += "\x21\xF9\x04\x01\0\0\0\0"s;  // colour 0 is transparent
    gif += "\x2C"s + little16(0) + little16(0) + little16(width) + little16(height) + '\0';
    std::vector<unsigned char> indices(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<int>(i % static_cast<size_t>(width)) < width / 2 ? 0 : 1;
    }
    return gif + gifImageData(indices) + ';';
}

}  // namespace tonvale::testing
