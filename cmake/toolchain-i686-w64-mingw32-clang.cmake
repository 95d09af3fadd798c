# A second way to build the product for 32-bit Windows: clang and lld instead of GCC and
# binutils, LLVM's resource compiler (rc.exe's grammar) instead of windres, on the same
# MinGW-w64 headers and import libraries. Product only: configure with -DQUINDLET_TESTS=OFF.
# -DQUINDLET_TRIPLE=x86_64-w64-mingw32 builds it as 64-bit code, to run where the kernel cannot
# execute 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT QUINDLET_TRIPLE)
    set(QUINDLET_TRIPLE i686-w64-mingw32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUINDLET_TRIPLE)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${QUINDLET_TRIPLE})
set(CMAKE_SYSROOT /usr/${QUINDLET_TRIPLE})

set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${QUINDLET_TRIPLE})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${QUINDLET_TRIPLE})
# llvm-windres, not llvm-rc itself: its output is an object file, and CMake hands the objects
# to a MinGW linker inside an archive, where lld does not take a .res file.
# Debian has it under that name only in LLVM's own folder.
execute_process(COMMAND llvm-config --bindir OUTPUT_VARIABLE QUINDLET_LLVM_BIN
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
find_program(CMAKE_RC_COMPILER llvm-windres HINTS ${QUINDLET_LLVM_BIN} REQUIRED)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(CMAKE_RC_FLAGS_INIT --target=pe-x86-64)
else()
    set(CMAKE_RC_FLAGS_INIT --target=pe-i386)
endif()

# The C and C++ runtime support (libgcc, libstdc++) is GCC's. Debian keeps it in a folder per
# thread model (12-win32, 12-posix), which clang does not take for a GCC version and so never
# searches: name it. The win32 model needs no winpthread, and the product starts no threads.
file(GLOB QUINDLET_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${QUINDLET_TRIPLE}/*-win32)
if(NOT QUINDLET_GCC_DIRS)
    file(GLOB QUINDLET_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${QUINDLET_TRIPLE}/*)
endif()
if(NOT QUINDLET_GCC_DIRS)
    message(FATAL_ERROR "No MinGW-w64 GCC runtime in /usr/lib/gcc/${QUINDLET_TRIPLE}")
endif()
list(SORT QUINDLET_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET QUINDLET_GCC_DIRS 0 QUINDLET_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${QUINDLET_GCC_DIR}/include/c++ -isystem ${QUINDLET_GCC_DIR}/include/c++/${QUINDLET_TRIPLE}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${QUINDLET_GCC_DIR}")

set(CMAKE_FIND_ROOT_PATH ${CMAKE_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
