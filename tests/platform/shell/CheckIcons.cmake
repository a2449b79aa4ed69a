# Runs shellicons into the build folder and compares its output with the committed source, so a
# drawing change that was not regenerated (or a hand edit of the pixels) is caught.
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "shellicons failed: ${rc}")
endif()
file(SHA256 ${OUT} generated)
file(SHA256 ${COMMITTED} committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "ShellIconData.cpp differs from what shellicons draws; run shellicons on it")
endif()
