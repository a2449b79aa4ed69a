# iislog_library(NAME SOURCES... [DEPS targets...])
#   A static library of one layer; DEPS are the layers and packages below it.
function(iislog_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC iislog_options ${ARG_DEPS})
endfunction()

# iislog_test(NAME SOURCES... [DEPS targets...])
#   A GoogleTest executable; each TEST becomes one ctest test (discovered when ctest runs,
#   so building stays fast). Tests run from the build folder with IISLOG_SOURCE_DIR set.
function(iislog_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE iislog_options iislog_test_support ${ARG_DEPS}
    GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE IISLOG_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "IISLOG_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
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
