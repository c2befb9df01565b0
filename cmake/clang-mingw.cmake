# Debian's Clang for the target that the toolchain file names, on the headers
# and libraries of the mingw-w64 GCC that the other toolchain uses (posix
# thread model, as there).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${GVT_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${GVT_MINGW_TRIPLE})

# Clang does not recognise Debian's "12-posix" folder as a GCC version, so it
# finds neither libstdc++ nor libgcc by itself; GCC names the folder.
execute_process(COMMAND ${GVT_MINGW_TRIPLE}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE GVT_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(GVT_GCC_DIR ${GVT_LIBGCC} DIRECTORY)

# The sysroot keeps the host's /usr/include off the search path.
set(GVT_CLANG_FLAGS "--sysroot=${GVT_SYSROOT}")
set(CMAKE_C_FLAGS_INIT "${GVT_CLANG_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${GVT_CLANG_FLAGS} -isystem ${GVT_GCC_DIR}/include/c++ \
-isystem ${GVT_GCC_DIR}/include/c++/${GVT_MINGW_TRIPLE} -isystem ${GVT_GCC_DIR}/include/c++/backward")
# -B: GCC's crtbegin.o registers the program's unwind tables, which the
# exceptions of the 32-bit target need; the mingw-w64 one that Clang takes
# otherwise does not, and then every throw ends the program. GCC's driver
# links winpthreads by itself (libstdc++ needs it); Clang's with -pthread.
# LLVM's linker, because GNU ld warns about every type name that Clang's
# objects and GCC's libstdc++ pad to different sizes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-B${GVT_GCC_DIR} -L${GVT_GCC_DIR} -pthread -fuse-ld=lld")
