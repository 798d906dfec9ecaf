# Test code is compiled for a quick build, not a quick run: its speed is
# the product's, whose libraries keep the release flags. A debug build's
# own flags are already the quickest to build.
function(kelvaris_test_optimisation target)
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${target} PRIVATE -O1)
  endif()
endfunction()
