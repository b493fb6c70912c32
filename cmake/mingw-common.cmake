# The thread model picks the C++ runtime: the posix one links winpthreads (GoogleTest needs
# std::mutex, which the win32 model of GCC 12 lacks), which imports calls newer than
# Windows XP; the shipped 32-bit tree builds no tests and uses the win32 model instead.
if(NOT ZOLV_THREAD_MODEL)
  set(ZOLV_THREAD_MODEL posix)
endif()
set(CMAKE_C_COMPILER ${ZOLV_TRIPLE}-gcc-${ZOLV_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${ZOLV_TRIPLE}-g++-${ZOLV_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${ZOLV_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZOLV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
