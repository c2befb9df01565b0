# Cross toolchain: 64-bit Windows through mingw-w64's GCC.
set(GVT_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-gcc.cmake)
