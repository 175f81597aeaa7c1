# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads, which
# std::thread and Qt need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZIVEK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZIVEK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZIVEK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZIVEK_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw tree only; programs run on the build host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZIVEK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
