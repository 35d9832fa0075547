# The 64-bit Windows build with clang in place of MinGW GCC: a second compiler's
# warnings on the Windows code, and the compile commands clang-tidy reads. It
# uses the MinGW-w64 cross compiler's headers, C++ library and linker.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)

# clang finds the MinGW-w64 C headers on its own, but not GCC's C++ library.
execute_process(COMMAND x86_64-w64-mingw32-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE VEILUX_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(VEILUX_GCC_DIR ${VEILUX_LIBGCC} DIRECTORY)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${VEILUX_GCC_DIR}/include/c++ -isystem ${VEILUX_GCC_DIR}/include/c++/x86_64-w64-mingw32")
# The posix-threads runtime needs the pthread library, which g++-posix adds by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${VEILUX_GCC_DIR} -pthread")
