# mingw-w64's GCC for the target that the toolchain file names.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_C_COMPILER   ${GVT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GVT_MINGW_TRIPLE}-g++-posix)
