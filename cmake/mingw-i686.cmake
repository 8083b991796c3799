# Cross-compiles the Windows program from Linux with MinGW-w64 (32-bit, posix thread model):
# the build players get.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
