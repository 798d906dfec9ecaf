option(KELVARIS_WERROR "Treat warnings in our own code as errors" OFF)

# Warnings for our own targets only; third-party code keeps its defaults.
function(kelvaris_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KELVARIS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
