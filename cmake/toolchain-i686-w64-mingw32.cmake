# Cross build for 32-bit Windows with MinGW-w64 (the PC launcher ships this way). The win32
# thread model keeps winpthreads, and with it imports newer than Windows XP, out of the programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZOLV_TRIPLE i686-w64-mingw32)
set(ZOLV_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
