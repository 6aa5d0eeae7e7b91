# Cross toolchain: 64-bit Windows (x86-64) through mingw-w64 with POSIX threads. Not shipped:
# the same sources built for hosts whose kernel runs no 32-bit code, where the Windows tests
# run on this build under Wine's 64-bit loader.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
