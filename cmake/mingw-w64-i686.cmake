# Cross toolchain: 32-bit Windows (x86) through mingw-w64 with POSIX threads. The phone
# libraries users already have are 32-bit DLLs, which only a 32-bit program can load.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
