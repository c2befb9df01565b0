# Cross toolchain: Debian's Clang for 32-bit Windows.
set(GVT_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
