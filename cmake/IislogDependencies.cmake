# System packages (installed by scripts/setup). Nothing is downloaded at build time.
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)
# nlohmann/json, header-only: the JSON report writes through it. The cross build takes the same
# headers from the build machine (they hold no system-specific code), copied into the build
# folder so that the cross compiler never sees the build machine's /usr/include.
find_path(IISLOG_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${IISLOG_JSON_INCLUDE}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/json-include)
add_library(iislog_json INTERFACE)
target_include_directories(iislog_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/json-include)
target_compile_definitions(iislog_json INTERFACE JSON_USE_IMPLICIT_CONVERSIONS=0)
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
