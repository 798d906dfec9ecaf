# Windows tests run under Wine: ctest starts every test executable through
# tools/wine-run.sh, and the fixture "wine" brings up the private display,
# prefix and wineserver before them and takes them down after.
include(GoogleTest)

set(KELVARIS_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
# Every Windows test program lives here, beside the test libraries.
set(KELVARIS_TEST_BIN ${CMAKE_BINARY_DIR}/tests/bin)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${KELVARIS_WINE_STATE})

add_test(NAME wine_start COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-start.sh ${KELVARIS_WINE_STATE})
add_test(NAME wine_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-stop.sh ${KELVARIS_WINE_STATE})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# The marker every test program links, compiled once for all of them.
add_library(started_marker OBJECT ${PROJECT_SOURCE_DIR}/tests/support/started_marker.cpp)
target_link_libraries(started_marker PRIVATE GTest::gtest)
kelvaris_warnings(started_marker)
# The Windows and GoogleTest headers, parsed once here for every test
# program: they were most of the time each test file took to compile.
target_precompile_headers(started_marker PRIVATE <windows.h> <gtest/gtest.h>)

kelvaris_test_optimisation(started_marker)

# A GoogleTest executable whose cases each become one ctest test under Wine.
# The cases are found by reading the sources, so listing them needs no Wine.
# LOCK names the resources the cases share (display, registry). OLDER_FAMILY
# makes Wine report the older Windows family (win98) to this program only.
# DLL_OVERRIDES adds Wine load-order overrides for its cases, separated by
# blanks.
function(kelvaris_wine_test target)
  cmake_parse_arguments(ARG "OLDER_FAMILY" "DLL_OVERRIDES" "SOURCES;LIBS;LOCK" ${ARGN})
  add_executable(${target} ${ARG_SOURCES} $<TARGET_OBJECTS:started_marker>)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KELVARIS_TEST_BIN})
  # The tests read frames back with GL calls of their own, linked as usual.
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} opengl32 glu32 GTest::gtest_main)
  kelvaris_warnings(${target})
  kelvaris_test_optimisation(${target})
  target_precompile_headers(${target} REUSE_FROM started_marker)
  gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_LIST cases)
  # The timeout is a hang guard above the cases' own (tests/hang_guard.h).
  set_tests_properties(${cases} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  if(ARG_LOCK)
    set_tests_properties(${cases} PROPERTIES RESOURCE_LOCK "${ARG_LOCK}")
  endif()
  if(ARG_DLL_OVERRIDES)
    set_property(TEST ${cases} APPEND PROPERTY ENVIRONMENT KELVARIS_DLL_OVERRIDES=${ARG_DLL_OVERRIDES})
  endif()
  set_property(TARGET ${target} PROPERTY KELVARIS_CASES ${cases})
  if(ARG_OLDER_FAMILY)
    kelvaris_older_family(${target} ${target}.exe)
  endif()
endfunction()

# Before the cases of `target` run, Wine is told to report the older Windows
# family (win98) to programs named `program`, and to no other.
function(kelvaris_older_family target program)
  if(NOT TEST ${program}_older_family)
    add_test(NAME ${program}_older_family
             COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add "HKCU\\Software\\Wine\\AppDefaults\\${program}"
                     /v Version /t REG_SZ /d win98 /f)
    set_tests_properties(${program}_older_family PROPERTIES FIXTURES_SETUP ${program}_family FIXTURES_REQUIRED wine)
  endif()
  get_property(cases TARGET ${target} PROPERTY KELVARIS_CASES)
  set_property(TEST ${cases} APPEND PROPERTY FIXTURES_REQUIRED ${program}_family)
endfunction()
