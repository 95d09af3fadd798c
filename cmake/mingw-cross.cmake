# Shared by the MinGW-w64 toolchain files, which set QUINDLET_MINGW_TRIPLE first. The -posix
# compilers are needed because GoogleTest uses std::mutex, which the win32 thread model lacks.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${QUINDLET_MINGW_TRIPLE})
set(CMAKE_C_COMPILER ${QUINDLET_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUINDLET_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUINDLET_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUINDLET_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too (GoogleTest): the build machine's own are for the wrong platform.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
