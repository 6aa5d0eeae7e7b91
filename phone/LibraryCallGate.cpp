#include "LibraryCallGate.h"

#if defined(__i386__) && defined(__GNUC__)

// Assembly, because C++ cannot say "put the stack pointer back as it was before the call": a
// compiler that addresses its locals from the stack pointer trusts it after every call. The
// gate keeps the caller's stack pointer in EBP (the library, whatever its convention, keeps
// EBP and ESI), so a library that leaves its arguments behind and one that removes them both
// come back to the same place.
__asm__(
    ".text\n"
    ".globl tonvaleCallGate\n"
    "tonvaleCallGate:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %esi\n"
    "    movl 12(%ebp), %esi\n"  // words
    "    movl 16(%ebp), %ecx\n"  // count
    "1:  testl %ecx, %ecx\n"
    "    jz 2f\n"
    "    decl %ecx\n"
    "    pushl (%esi,%ecx,4)\n"
    "    jmp 1b\n"
    "2:  call *8(%ebp)\n"  // operation
    "    leal -4(%ebp), %esp\n"
    "    popl %esi\n"
    "    popl %ebp\n"
    "    ret\n");

#elif defined(_M_IX86) && defined(_MSC_VER)

namespace tonvale::detail {

// The same gate for Microsoft's compiler, whose inline assembly is its own.
extern "C" __declspec(naked) int32_t tonvaleCallGate(const void*, const uint32_t*, uint32_t) {
    __asm {
        push ebp
        mov ebp, esp
        push esi
        mov esi, [ebp + 12]
        mov ecx, [ebp + 16]
    next_word:
        test ecx, ecx
        jz call_operation
        dec ecx
        push dword ptr [esi + ecx * 4]
        jmp next_word
    call_operation:
        call dword ptr [ebp + 8]
        lea esp, [ebp - 4]
        pop esi
        pop ebp
        ret
    }
}

}  // namespace tonvale::detail

#endif
