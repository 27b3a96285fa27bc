# Cross-compiles the Windows desktop programs with MinGW-w64 (Debian packages
# g++-mingw-w64-x86-64-posix and binutils-mingw-w64). The posix thread model is used so
# that std::thread and std::mutex work; cmake/ivarscan.cmake links the runtime statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(IVARSCAN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${IVARSCAN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${IVARSCAN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${IVARSCAN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${IVARSCAN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)


# GCC 12 reports a false -Wrestrict inside its own std::string code when optimising
# string concatenations for this target (GCC bug 105329); with -Werror that would stop
# the build on correct code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
