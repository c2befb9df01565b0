# What both mingw-w64 toolchains share; the toolchain file names the target
# (GVT_MINGW_TRIPLE: i686-w64-mingw32 or x86_64-w64-mingw32) before it
# includes this one. The posix thread model: header-only Boost.Regex needs
# std::mutex and friends.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${GVT_MINGW_TRIPLE})
set(GVT_SYSROOT /usr/${GVT_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${GVT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH ${GVT_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the Windows test programs through Wine on a virtual display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
