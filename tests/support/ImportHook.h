// Replaces, while it lives, one import of the test executable with a stand-in: the program's
// code linked into the test calls the stand-in instead of the system's function.
#pragma once

#include <windows.h>

#include <cstring>
#include <string_view>

namespace tonvale::testing {

class ImportHook {
  public:
    ImportHook(const char* dll, const char* function, void* standIn) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* entry =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name != 0; ++entry) {
            if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) {
                continue;
            }
            auto* names =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
            for (; names->u1.AddressOfData != 0; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                    continue;
                }
                const auto* byName =
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                    slot_ = reinterpret_cast<void**>(&slots->u1.Function);
                    original_ = *slot_;
                    write(standIn);
                    return;
                }
            }
        }
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    ~ImportHook() {
        if (slot_ != nullptr) {
            write(original_);
        }
    }

    bool installed() const { return slot_ != nullptr; }
    // The system's function, for the stand-in to call on.
    void* original() const { return original_; }

  private:
    void write(void* function) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        *slot_ = function;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    }

    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace tonvale::testing
