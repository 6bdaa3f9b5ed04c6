# The part of the MinGW-w64 cross toolchains that both architectures share. The
# architecture files set VORN_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR, then include this.
# The posix variant is named explicitly: the plain names are the win32-threads variant,
# which lacks std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${VORN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${VORN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Only -static keeps libwinpthread-1.dll, libgcc and libstdc++ out of the import tables.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
