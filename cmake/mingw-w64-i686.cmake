# Cross build of the Windows program for 32-bit x86 with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KELVARIS_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
