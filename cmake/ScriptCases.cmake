# One ctest entry per case of a test script that takes the case as its first
# argument. CASES lists script-case:EntryName pairs; each entry is named
# PREFIX.EntryName and runs SCRIPT script-case ARGS...; PROPERTIES (single
# values only) are set on every entry.
function(kelvaris_script_cases prefix script)
  cmake_parse_arguments(ARG "" "" "CASES;ARGS;PROPERTIES" ${ARGN})
  foreach(case ${ARG_CASES})
    string(REPLACE ":" ";" parts ${case})
    list(GET parts 0 script_case)
    list(GET parts 1 name)
    add_test(NAME ${prefix}.${name} COMMAND ${script} ${script_case} ${ARG_ARGS})
    set_tests_properties(${prefix}.${name} PROPERTIES ${ARG_PROPERTIES})
  endforeach()
endfunction()
