# Cross toolchain of the 64-bit build: the same sources as 64-bit Windows programs, for
# 64-bit Lua hosts and for testing on machines that cannot run 32-bit code.
set(VORN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
