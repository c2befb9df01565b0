# Cross toolchain: Debian's Clang for 64-bit Windows.
set(GVT_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
