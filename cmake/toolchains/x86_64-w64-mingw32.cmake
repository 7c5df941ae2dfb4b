# Cross build for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix).
# The posix-threads compilers, since the batch of walkconv runs on std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WALKCONV_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${WALKCONV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WALKCONV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${WALKCONV_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${WALKCONV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program links the C and C++ runtimes and the threads library in, so that it runs from
# a folder holding nothing but itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
