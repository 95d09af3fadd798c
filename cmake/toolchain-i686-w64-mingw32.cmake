# Cross-build for 32-bit Windows with MinGW-w64: the product.
set(QUINDLET_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-cross.cmake)
