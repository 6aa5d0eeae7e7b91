// The thread's COM apartment, joined when an object is first wanted rather than at start-up
// (ole32 is loaded only then), and left when the owner goes.
#pragma once

#include <windows.h>
#include <objbase.h>

#include "ComHandles.h"
#include "LaterBound.h"

namespace tonvale {

class ComApartment {
  public:
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (joined_) {
            laterBound<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
        }
    }

    // An in-process object of `classId`, the apartment joined first; nothing when COM or the
    // object is missing.
    template <typename Interface>
    OwnedComPointer<Interface> create(const CLSID& classId, const IID& interfaceId) {
        const auto initialize =
            laterBound<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        const auto createInstance =
            laterBound<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
        if (initialize == nullptr || createInstance == nullptr) {
            return {};
        }
        if (!joined_) {
            joined_ =
                SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        }
        Interface* made = nullptr;
        if (FAILED(createInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId,
                                  reinterpret_cast<void**>(&made)))) {
            return {};
        }
        return OwnedComPointer<Interface>(made);
    }

  private:
    bool joined_ = false;
};

}  // namespace tonvale
