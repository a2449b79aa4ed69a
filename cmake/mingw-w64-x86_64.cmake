# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix: the
# posix thread model, so std::thread and std::mutex work). Everything is linked statically, so the
# executables need no DLL beside them. Programs built here run under Wine: tests, and the tools the
# build itself runs (skintool), go through cmake/wine-run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(IISLOG_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${IISLOG_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${IISLOG_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${IISLOG_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${IISLOG_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# libz.a rather than the import library of zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
