// The upload's contents buffer: the bytes of one file. Growing it leaves the new bytes as they
// are rather than zero-filling them, since the file is read over them at once; zero-filling a
// large file's buffer first cost as much as reading it.
#pragma once

#include <memory>
#include <vector>

namespace tonvale {

template <typename T>
class UninitializedAllocator : public std::allocator<T> {
  public:
    template <typename U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <typename U>
    UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
    // A value the caller gives is kept; an element made from nothing is left unset.
    template <typename U, typename... Arguments>
    void construct(U* place, Arguments&&... arguments) {
        if constexpr (sizeof...(Arguments) == 0) {
            ::new (static_cast<void*>(place)) U;
        } else {
            ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
        }
    }
};

using Contents = std::vector<unsigned char, UninitializedAllocator<unsigned char>>;

}  // namespace tonvale
