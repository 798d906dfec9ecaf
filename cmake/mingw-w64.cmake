# Shared part of the MinGW-w64 toolchain files, which set
# CMAKE_SYSTEM_PROCESSOR and KELVARIS_MINGW_TRIPLE first. The posix thread
# model is the one GoogleTest needs for std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KELVARIS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVARIS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVARIS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVARIS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Hardened: a stack protector, and checked string and memory functions.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fstack-protector-strong")
# A saver must run on a clean Windows: no runtime DLL of the compiler, the
# stack protector's included.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -fstack-protector-strong")
