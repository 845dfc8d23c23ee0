# The same sources for 64-bit Windows, for machines whose Wine runs only 64-bit programs.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
