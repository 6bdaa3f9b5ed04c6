# Cross toolchain of the deliverable: 32-bit Windows programs built with MinGW-w64
# (posix thread model, static run-time).
set(VORN_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
