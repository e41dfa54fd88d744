# Helpers for the project's libraries and test programs.

# tarvo_test(NAME source... LIBS lib... [SOUND] [ENVIRONMENT VAR=value]): a GoogleTest program. On Windows it carries the
# program's resources (string table, images) and runs under the cross-compiling emulator.
# SOUND: its tests play through the sound server, one such test at a time (the recording of the
# sink would otherwise hear two of them mixed).
function(tarvo_test name)
  cmake_parse_arguments(ARG "SOUND" "" "LIBS;ENVIRONMENT" ${ARGN})
  set(lock)
  if(ARG_SOUND)
    set(lock RESOURCE_LOCK sound_device)
  endif()
  if(ARG_ENVIRONMENT)
    list(APPEND lock ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  tarvo_test_compile(${name})
  target_precompile_headers(${name} REUSE_FROM tarvo_test_headers)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(TARVO_WIN32)
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:tarvo_resources>)
  endif()
  # A test passes only when GoogleTest says so: under Wine a program that crashes can end with
  # exit code 0, so the exit code alone proves nothing. A skipped test (which passes 0 tests)
  # counts as skipped, so that ctest's summary names it instead of passing it silently.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120
                                  PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [01] tests?\\."
                                  FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
                                  SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] "
                                  ${lock})
endfunction()

# A test program only drives the code under test, which keeps its own optimisation: its own
# sources are compiled on the Windows side without optimisation or debug information (a third of
# the time), all of them over one set of headers precompiled once (tarvo_test_headers).
function(tarvo_test_compile name)
  if(TARVO_WIN32)
    target_compile_options(${name} PRIVATE -O0 -g0)
  endif()
endfunction()

# The headers nearly every test source reads: GoogleTest, the standard containers and, on
# Windows, the system headers. Made once and reused by every test program.
function(tarvo_test_headers)
  add_library(tarvo_test_headers OBJECT ${PROJECT_SOURCE_DIR}/cmake/TestHeaders.cpp)
  target_link_libraries(tarvo_test_headers PRIVATE GTest::gmock GTest::gtest)
  tarvo_test_compile(tarvo_test_headers)
  set(headers <gtest/gtest.h> <algorithm> <cstring> <memory> <string> <vector>)
  if(TARVO_WIN32)
    list(PREPEND headers <windows.h> <commctrl.h>)
  endif()
  target_precompile_headers(tarvo_test_headers PRIVATE ${headers})
endfunction()
