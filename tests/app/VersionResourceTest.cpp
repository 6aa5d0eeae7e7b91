// The version Windows shows in a file's Properties > Details, for Tonvale.exe and p2kapi.dll as
// built beside this test, is the one the About box and the caption name; and what the program's
// manifest asks of Windows.
#include <optional>
#include <regex>

#include "Form1Fixture.h"

namespace tonvale::testing {
namespace {

struct VersionResource {
    std::wstring fileVersion;
    std::wstring productVersion;
    std::wstring originalFilename;
    DWORD fileVersionHigh;  // "File version" major.minor.patch.build as two halves
    DWORD fileVersionLow;
    DWORD productVersionHigh;
    DWORD productVersionLow;
    DWORD fileType;
};

std::optional<VersionResource> readVersionResource(const fs::path& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<std::byte> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        return std::nullopt;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof *fixed) {
        return std::nullopt;
    }
    // The strings of the first language listed, as Explorer picks them.
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof *translation) {
        return std::nullopt;
    }
    wchar_t table[32] = {};
    swprintf(table, 32, L"%04x%04x", translation->language, translation->codePage);
    auto text = [&](const wchar_t* name) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + name;
        wchar_t* value = nullptr;
        UINT characters = 0;
        if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value),
                            &characters)) {
            return std::wstring();
        }
        return std::wstring(value);
    };
    return VersionResource{text(L"FileVersion"),      text(L"ProductVersion"),
                           text(L"OriginalFilename"), fixed->dwFileVersionMS,
                           fixed->dwFileVersionLS,    fixed->dwProductVersionMS,
                           fixed->dwProductVersionLS, fixed->dwFileType};
}

fs::path besideThisTest(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return fs::path(path).parent_path() / name;
}

struct ShownVersion {
    std::wstring text;
    DWORD major = 0;
    DWORD minor = 0;
    DWORD patch = 0;
};

class VersionTest : public Form1Test {
  protected:
    // The version the About box names, read from its text, which must keep its shape: name,
    // version and release date; a blank line; the credit; a blank line; where to write.
    ShownVersion versionInAboutBox() {
        start();
        choose(IdAbout1);
        EXPECT_EQ(prompts_.abouts.size(), 1u);
        if (prompts_.abouts.empty()) {
            return {};
        }
        const std::wstring& about = prompts_.abouts[0].text;
        const std::wregex shape(
            L"Motorola Tonvale Files Uploader, version ((\\d+)\\.(\\d+)\\.(\\d+)), released "
            L"\\d{4}-\\d{2}-\\d{2}\n\nWritten by [^\n]+\n\n[^\n]+");
        std::wsmatch parts;
        EXPECT_TRUE(std::regex_match(about, parts, shape)) << about;
        if (parts.empty()) {
            return {};
        }
        return {parts[1].str(), std::stoul(parts[2].str()), std::stoul(parts[3].str()),
                std::stoul(parts[4].str())};
    }
};

void expectVersion(const VersionResource& resource, const ShownVersion& shown) {
    EXPECT_EQ(resource.fileVersion, shown.text);
    EXPECT_EQ(resource.productVersion, shown.text);
    EXPECT_EQ(resource.fileVersionHigh, shown.major << 16 | shown.minor);
    EXPECT_EQ(resource.fileVersionLow, shown.patch << 16);
    EXPECT_EQ(resource.productVersionHigh, shown.major << 16 | shown.minor);
    EXPECT_EQ(resource.productVersionLow, shown.patch << 16);
}

TEST_F(VersionTest, TheProgramFileCarriesTheVersionTheAboutBoxShows) {
    const ShownVersion shown = versionInAboutBox();
    ASSERT_FALSE(shown.text.empty());

    wchar_t caption[256] = {};
    GetWindowTextW(form().handle(), caption, 256);
    EXPECT_EQ(std::wstring(caption),
              L"Motorola Tonvale Files Uploader " + shown.text + L" - by the Tonvale team");

    const auto program = readVersionResource(besideThisTest(L"Tonvale.exe"));
    ASSERT_TRUE(program.has_value()) << "Tonvale.exe has no version resource";
    expectVersion(*program, shown);
    EXPECT_EQ(program->originalFilename, L"Tonvale.exe");
    EXPECT_EQ(program->fileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionTest, TheVirtualPhoneLibraryCarriesTheSameVersion) {
    const ShownVersion shown = versionInAboutBox();
    ASSERT_FALSE(shown.text.empty());

    const auto library = readVersionResource(besideThisTest(L"p2kapi.dll"));
    ASSERT_TRUE(library.has_value()) << "p2kapi.dll has no version resource";
    expectVersion(*library, shown);
    EXPECT_EQ(library->originalFilename, L"p2kapi.dll");
    EXPECT_EQ(library->fileType, static_cast<DWORD>(VFT_DLL));
}

// Without a requested execution level, Windows gives a 32-bit program in a protected folder
// (Program Files) file virtualisation: the settings file it writes goes to the user's
// VirtualStore, and edits to the one beside the program are ignored without a word.
TEST(Manifest, AsksToRunAsItsInvokerSoThatNoSettingsFileIsRedirected) {
    const fs::path program = besideThisTest(L"Tonvale.exe");
    HMODULE module = LoadLibraryExW(program.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
              std::string::npos);
}

}  // namespace
}  // namespace tonvale::testing
