// Fitting a camera's picture to a phone's screen, against its floor: the imaging component
// decoding the same contents to 32-bit BGRA, which no fitting can skip. Writes the picture, a
// 4000 by 3000 JPEG of a photograph's detail, to the path given, for the memory probe to upload.
//
//   bench_fit <runs> <file to write>
// prints "name median min max" lines for scripts/bench.sh, the two taking turns.
#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstdio>
#include <cwchar>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "TestPictures.h"
#include "WicPictureFitter.h"

namespace {

using tonvale::Contents;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Smooth shading with fine grain, as a photograph has: a JPEG of about the usual size.
uint32_t photograph(int x, int y, int width, int height) {
    const uint32_t grain =
        (static_cast<uint32_t>(x) * 7919u ^ static_cast<uint32_t>(y) * 104729u) % 23u;
    const uint32_t red = 40 + 180 * static_cast<uint32_t>(x) / static_cast<uint32_t>(width) + grain;
    const uint32_t green = 60 + 150 * static_cast<uint32_t>(y) / static_cast<uint32_t>(height);
    const uint32_t blue = 90 + grain * 3;
    return tonvale::testing::argb(255, red, green, blue);
}

void check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw std::runtime_error(what);
    }
}

// The floor: the contents decoded to BGRA, as the fitting decodes them, into memory of its own
// as one picture's upload has to find it.
void decodeOnly(IWICImagingFactory& wic, const Contents& contents) {
    const std::unique_ptr<uint32_t[]> pixels(new uint32_t[static_cast<size_t>(kWidth) * kHeight]);
    IWICStream* stream = nullptr;
    check(wic.CreateStream(&stream), "a stream");
    check(stream->InitializeFromMemory(const_cast<BYTE*>(contents.data()),
                                       static_cast<DWORD>(contents.size())),
          "the stream");
    IWICBitmapDecoder* decoder = nullptr;
    check(wic.CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
          "the decoder");
    IWICBitmapFrameDecode* frame = nullptr;
    check(decoder->GetFrame(0, &frame), "the frame");
    IWICFormatConverter* converter = nullptr;
    check(wic.CreateFormatConverter(&converter), "a converter");
    check(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom),
          "the converter");
    check(converter->CopyPixels(nullptr, kWidth * 4, kWidth * kHeight * 4,
                                reinterpret_cast<BYTE*>(pixels.get())),
          "the pixels");
    converter->Release();
    frame->Release();
    decoder->Release();
    stream->Release();
}

void print(const char* name, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%s %.6f %.6f %.6f\n", name, tonvale::bench::median(samples), samples.front(),
                samples.back());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_fit <runs> <file to write>\n");
        return 2;
    }
    try {
        const std::string file =
            tonvale::testing::makePicture(GUID_ContainerFormatJpeg, kWidth, kHeight, &photograph);
        std::ofstream(argv[2], std::ios::binary).write(file.data(), static_cast<long>(file.size()));
        const Contents contents(file.begin(), file.end());
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IWICImagingFactory* wic = nullptr;
        check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IWICImagingFactory, reinterpret_cast<void**>(&wic)),
              "the imaging factory");
        tonvale::WicPictureFitter fitter;
        std::vector<double> fitted;
        std::vector<double> floor;
        for (int run = std::wcstol(argv[1], nullptr, 10); run > 0; --run) {
            {
                Contents picture = contents;
                const tonvale::bench::Stopwatch watch;
                const auto outcome = fitter.fit(picture, {176, 220});
                fitted.push_back(watch.seconds());
                if (outcome.outcome != tonvale::FittedPicture::Outcome::Fitted) {
                    throw std::runtime_error("the picture was not fitted");
                }
            }
            const tonvale::bench::Stopwatch watch;
            decodeOnly(*wic, contents);
            floor.push_back(watch.seconds());
        }
        wic->Release();
        print("fit_4000x3000", fitted);
        print("fit_floor_4000x3000", floor);
        std::printf("fit_file_bytes %zu\n", file.size());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "bench_fit: %s\n", failure.what());
        return 1;
    }
    return 0;
}
