# Windows tests run under Wine: ctest starts every test executable through
# tools/wine-run.sh, and the fixture "wine" brings up the private display,
# prefix and wineserver before them and takes them down after.
include(GoogleTest)

set(KELVARIS_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${KELVARIS_WINE_STATE})

add_test(NAME wine_start COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-start.sh ${KELVARIS_WINE_STATE})
add_test(NAME wine_stop COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-stop.sh ${KELVARIS_WINE_STATE})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# A GoogleTest executable whose cases each become one ctest test under Wine.
# The cases are found by reading the sources, so listing them needs no Wine.
# LOCK names a resource the cases share (the display, the registry key).
function(kelvaris_wine_test target)
  cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  kelvaris_warnings(${target})
  gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_LIST cases)
  set_tests_properties(${cases} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 60)
  if(ARG_LOCK)
    set_tests_properties(${cases} PROPERTIES RESOURCE_LOCK ${ARG_LOCK})
  endif()
endfunction()
