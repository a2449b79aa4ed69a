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
