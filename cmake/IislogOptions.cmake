# The program's version, set once by project() in the top-level CMakeLists.txt. A target that
# prints it links iislog_version and uses the string literal IISLOG_VERSION ("1.0.0").
add_library(iislog_version INTERFACE)
target_compile_definitions(iislog_version INTERFACE IISLOG_VERSION="${PROJECT_VERSION}")

# Warnings and sanitizers shared by every target of the project.
add_library(iislog_options INTERFACE)
target_compile_options(iislog_options INTERFACE
  -Wall -Wextra -Wsuggest-override -Wnon-virtual-dtor -Wimplicit-fallthrough)
target_include_directories(iislog_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(IISLOG_SANITIZE)
  target_compile_options(iislog_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(iislog_options INTERFACE -fsanitize=address,undefined)
endif()

if(IISLOG_FUZZ)
  # Every library is instrumented for coverage; only the fuzz targets link the libFuzzer main.
  target_compile_options(iislog_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(iislog_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
  # The few files that include <windows.h> (the Win32 sides of the platform layer) get the lean
  # headers, no min/max macros and the wide API; Windows 7 is the oldest system supported.
  target_compile_definitions(iislog_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX=1 UNICODE _UNICODE _WIN32_WINNT=0x0601)
endif()

# GCC 12 reports -Wrestrict inside libstdc++'s own std::string code at -O2 and above (GCC bug
# 105329), in the optimised Linux build as in the Windows one: nothing of ours; later compilers
# are quiet.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(iislog_options INTERFACE -Wno-restrict)
endif()
