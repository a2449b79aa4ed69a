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
