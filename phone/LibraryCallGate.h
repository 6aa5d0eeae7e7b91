// How the program calls into the phone library. The contract names each operation's arguments
// and result but not its calling convention, and libraries in the wild come both ways: with
// __stdcall each operation removes its arguments from the stack, with the C convention (what a
// header without one gives) the caller does. On 32-bit x86 the gate pushes the arguments itself
// and puts the stack pointer back from a saved copy after the call, so the stack is as it was
// whichever way the library was built. On x86-64 there is one convention and the gate is a
// plain call.
#pragma once

#include <cstdint>
#include <type_traits>

namespace tonvale {

#if defined(_M_IX86) || defined(__i386__)

namespace detail {
// Pushes `count` 32-bit words, the last first, calls `operation` and returns what it left in
// EAX; the stack pointer is restored from the gate's own frame, not taken from the callee.
extern "C" int32_t tonvaleCallGate(const void* operation, const uint32_t* words, uint32_t count)
#if defined(__GNUC__)
    __asm__("tonvaleCallGate")
#endif
        ;

template <typename Argument>
uint32_t stackWord(Argument argument) {
    // Every argument of the contract is one stack slot: a pointer or an integer of up to 32 bits.
    static_assert(sizeof(Argument) <= sizeof(uint32_t));
    if constexpr (std::is_pointer_v<Argument>) {
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(argument));
    } else {
        return static_cast<uint32_t>(argument);
    }
}
}  // namespace detail

template <typename Result, typename Function, typename... Arguments>
Result callLibrary(Function* operation, Arguments... arguments) {
    static_assert(std::is_invocable_v<Function*, Arguments...>);
    static_assert(sizeof(Result) <= sizeof(int32_t));
    const uint32_t words[sizeof...(Arguments) + 1] = {detail::stackWord(arguments)..., 0};
    return static_cast<Result>(detail::tonvaleCallGate(reinterpret_cast<const void*>(operation),
                                                       words, sizeof...(Arguments)));
}

#else

template <typename Result, typename Function, typename... Arguments>
Result callLibrary(Function* operation, Arguments... arguments) {
    return static_cast<Result>(operation(arguments...));
}

#endif

}  // namespace tonvale
