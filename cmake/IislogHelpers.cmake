# iislog_system_sources(VAR): keeps the sources of VAR that belong to the target system.
function(iislog_system_sources var)
  set(kept)
  foreach(source IN LISTS ${var})
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    set(system_file FALSE)
    set(windows_file FALSE)
    if(path MATCHES "Win32\\.cpp$")
      set(system_file TRUE)
      set(windows_file TRUE)
    else()
      string(REGEX REPLACE "\\.cpp$" "Win32.cpp" counterpart "${path}")
      if(NOT counterpart STREQUAL path AND EXISTS "${counterpart}")
        set(system_file TRUE)
      endif()
    endif()
    if(NOT system_file OR (WIN32 AND windows_file) OR (NOT WIN32 AND NOT windows_file))
      list(APPEND kept ${source})
    endif()
  endforeach()
  set(${var} ${kept} PARENT_SCOPE)
endfunction()

# iislog_library(NAME SOURCES... [DEPS targets...])
#   A static library of one layer; DEPS are the layers and packages below it.
#   A source X.cpp with a Windows counterpart XWin32.cpp beside it is built on Linux, the
#   counterpart on Windows: the two implement one header for their system.
function(iislog_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  iislog_system_sources(ARG_SOURCES)
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC iislog_options ${ARG_DEPS})
endfunction()

# iislog_test(NAME SOURCES... [DEPS targets...])
#   Sources follow the rule of iislog_library: XWin32.cpp replaces X.cpp on Windows, and a
#   XWin32.cpp without a counterpart is built on Windows only.
#   A GoogleTest executable; each TEST becomes one ctest test (discovered when ctest runs,
#   so building stays fast). Tests run from the build folder with IISLOG_SOURCE_DIR set.
function(iislog_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  iislog_system_sources(ARG_SOURCES)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE iislog_options iislog_test_support ${ARG_DEPS}
    GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE IISLOG_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # The test code itself is compiled without optimisation in the cross build and the sanitizer
  # build: there its compile time is most of the build (half of it goes to optimising test
  # bodies), while what it tests (the libraries) keeps the build type's flags.
  if(CMAKE_CROSSCOMPILING OR CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${name} PRIVATE -O0)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Under the emulator (Wine) every start of a program costs a good fraction of a second, so
    # the whole executable is one test; its output names the failing cases.
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "IISLOG_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    return()
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "IISLOG_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# iislog_linux_only(NAME REASON)
#   In the Windows build, stands in for tests that exercise Linux services (the mount table,
#   inotify, xdg-open, POSIX descriptors): a test NAME that reports itself skipped with REASON.
function(iislog_linux_only name reason)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "skipped on Windows: ${reason}")
  set_tests_properties(${name} PROPERTIES DISABLED TRUE)
endfunction()

# iislog_fuzzer(NAME SOURCES... [DEPS targets...]) — a libFuzzer target (fuzz preset only).
function(iislog_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE iislog_options ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # The test command builds only the fuzz targets (and what they need) in the fuzz preset.
  if(NOT TARGET fuzzers)
    add_custom_target(fuzzers)
  endif()
  add_dependencies(fuzzers ${name})
endfunction()

# The headers shared by tests and fuzz targets (tests/support): the temporary folder, the headless
# fixtures and the plain-way scan. Every iislog_test links it; a fuzz target links it by name.
add_library(iislog_test_support INTERFACE)
target_include_directories(iislog_test_support INTERFACE ${PROJECT_SOURCE_DIR}/tests/support)
# The files each system makes its own way (sparse, unreadable): the one source among them.
add_library(iislog_test_files STATIC ${PROJECT_SOURCE_DIR}/tests/support/SystemFiles.cpp)
target_link_libraries(iislog_test_files PUBLIC iislog_options)
target_include_directories(iislog_test_files PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(iislog_test_support INTERFACE iislog_test_files)
