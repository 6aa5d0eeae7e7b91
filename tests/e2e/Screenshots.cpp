// Takes the pictures of the user's guide and the README: the main window fresh, after an upload,
// and the Options dialog; or, with "scaled" after the folder, the main window after an upload
// alone, as "main-window-144dpi". Runs inside a Wine desktop, which draws the windows' frames,
// and writes 24-bit BMP files into the folder given as its argument.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "Form1Layout.h"
#include "RunningTonvale.h"

namespace {

using tonvale::e2e::fs::path;

// The screen under `window`, frame included.
bool saveWindowPicture(HWND window, const path& file) {
    RECT place{};
    GetWindowRect(window, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    SelectObject(memory, previous);
    GdiFlush();
    const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageBytes;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return out.good();
}

// The pointer goes where no window is, so that no tooltip shows in the picture.
void settle() {
    SetCursorPos(0, 0);
    Sleep(800);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <folder for the pictures>\n");
        return 2;
    }
    const path pictures = argv[1];
    const bool scaledOnly = argc > 2 && std::wstring(argv[2]) == L"scaled";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const path work = path(temp) / L"tonvale-screenshots";
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
    try {
        tonvale::e2e::RunningTonvale tonvale(work / L"Tonvale");
        if (!tonvale.waitForLogLine(L"Connected")) {
            std::fprintf(stderr, "the phone did not attach\n");
            return 1;
        }
        if (!scaledOnly) {
            settle();
            saveWindowPicture(tonvale.window(), pictures / L"main-window.bmp");
        }

        const path files = work / L"My pictures";
        std::filesystem::create_directories(files);
        for (const auto& [name, size] :
             {std::pair{L"sunset.jpg", 48213}, std::pair{L"logo.gif", 6120},
              std::pair{L"cat.png", 30977}}) {
            std::ofstream(files / name, std::ios::binary)
                << std::string(static_cast<size_t>(size), 'x');
        }
        tonvale.press(tonvale::IdBitBtn1);
        tonvale.pickInOpenDialog(files, {L"sunset.jpg", L"logo.gif", L"cat.png"});
        tonvale.press(tonvale::IdBitBtn2);
        if (!tonvale.waitForLogLine(L"sunset.jpg was uploaded in phone")) {
            std::fprintf(stderr, "the upload did not finish\n");
            return 1;
        }
        settle();
        saveWindowPicture(tonvale.window(), pictures / (scaledOnly ? L"main-window-144dpi.bmp"
                                                                   : L"main-window-upload.bmp"));

        if (!scaledOnly) {
            tonvale.choose(tonvale::IdOptions1);
            HWND options = nullptr;
            tonvale::e2e::waitUntil(
                [&] {
                    options = FindWindowW(L"TForm2", L"Options");
                    return options != nullptr && IsWindowVisible(options);
                },
                5000);
            if (options != nullptr && IsWindowVisible(options)) {
                settle();
                saveWindowPicture(options, pictures / L"options-dialog.bmp");
            }
        }
        tonvale.choose(tonvale::IdExit1);
        tonvale.waitForExit();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
