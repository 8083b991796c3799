# Cross-compiles the Windows program from Linux with MinGW-w64 (64-bit, posix thread model).
# The 32-bit build (mingw-i686.cmake) is the one players get; this one runs where Wine has no
# 32-bit part, and in a 64-bit-only Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
