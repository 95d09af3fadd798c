# Cross-build of the same sources for 64-bit Windows with MinGW-w64: only for running the
# tests where the kernel cannot execute 32-bit code (the product is the 32-bit build).
set(QUINDLET_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
