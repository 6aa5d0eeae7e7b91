#include "MediaCategories.h"

#include <array>

namespace tonvale {

namespace {

constexpr std::array<FileFilterEntry, 6> pictureFilter{{
    {L"JPEG(*.jpg;*.jpeg)", L"*.jpg;*.jpeg"},
    {L"GIF(*.gif)", L"*.gif"},
    {L"PNG(*.png)", L"*.png"},
    {L"EMS(*.ems;*.emp)", L"*.ems;*.emp"},
    {L"BMP(*.bmp;*.wbmp)", L"*.bmp;*.wbmp"},
    {L"All formats", L"*.jpg;*.jpeg;*.gif;*.png;*.emp;*.ems;*.wbmp;*.bmp"},
}};

constexpr std::array<FileFilterEntry, 5> musicFilter{{
    {L"MP3(*.mp3)", L"*.mp3"},
    {L"MIDI(*.mid;*.midi)", L"*.mid;*.midi"},
    {L"IMY(*.imy)", L"*.imy"},
    {L"Motomixer(*.bas)", L"*.bas"},
    {L"All formats", L"*.mp3;*.mid;*.midi;*.imy;*.bas"},
}};

constexpr std::array<FileFilterEntry, 5> videoFilter{{
    {L"3GP(*.3gp)", L"*.3gp"},
    {L"MPEG4(*.mpeg4)", L"*.mpeg4"},
    {L"MP4(*.mp4)", L"*.mp4"},
    {L"All formats", L"*.3gp;*.mpeg4;*.mp4"},
    {L"All(*.*)", L"*.*"},
}};

constexpr std::array<FileFilterEntry, 1> paletteFilter{{{L"SPCOLOR(*.sch)", L"*.sch"}}};

// The menu layout is the one file of that exact name, without an extension.
constexpr std::array<FileFilterEntry, 1> menuFilter{{{L"MMA_UCP", L"MMA_UCP"}}};

const std::array<MediaCategory, 5> categories{{
    {L"Picture", L"/a/mobile/picture/", pictureFilter},
    {L"Music", L"/a/mobile/audio/", musicFilter},
    {L"Video", L"/a/mobile/video/", videoFilter},
    {L"Palette", L"/a/mobile/system/", paletteFilter},
    {L"Menu", L"/a/mobile/system/", menuFilter},
}};

}  // namespace

std::span<const MediaCategory> mediaCategories() {
    return categories;
}

std::wstring dialogFilterString(std::span<const FileFilterEntry> filter) {
    std::wstring result;
    for (const FileFilterEntry& entry : filter) {
        result.append(entry.text);
        result.push_back(L'\0');
        result.append(entry.patterns);
        result.push_back(L'\0');
    }
    result.push_back(L'\0');
    return result;
}

}  // namespace tonvale
