# System packages (installed by scripts/setup). Nothing is downloaded at build time.
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)
if(WIN32)
  # The Windows build draws text with GDI and shows windows through USER itself: no FreeType,
  # fontconfig, SDL2 or X11. GoogleTest has no mingw-w64 package; it is built from the sources
  # that Debian's googletest package installs.
  if(IISLOG_TESTS AND NOT IISLOG_FUZZ)
    set(IISLOG_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${IISLOG_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # Like the tests, the framework is built for compile time rather than speed.
    target_compile_options(gtest PRIVATE -O0)
    target_compile_options(gtest_main PRIVATE -O0)
  endif()
  return()
endif()
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
if(IISLOG_TESTS AND NOT IISLOG_FUZZ)
  find_package(GTest REQUIRED)
endif()
if(IISLOG_BENCH AND NOT IISLOG_FUZZ)
  find_package(benchmark REQUIRED)
endif()
