# Cross build for Windows x86_64 with the MinGW-w64 posix thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZIVRA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZIVRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZIVRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZIVRA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZIVRA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under the build tree's own Wine prefix (see tools/wine-run).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
