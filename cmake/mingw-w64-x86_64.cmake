# Cross build of the Windows program for x86-64 with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELVARIS_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
