# Installs a target or a file into DESTINATION (under the prefix) and notes
# it, so that `make uninstall` knows what `make install` puts there from
# these rules alone: kelvaris_write_installed_list writes the notes, one
# path under the prefix a line, into the build tree when it is generated,
# before anything is built.
function(kelvaris_install item destination)
  if(TARGET ${item})
    install(TARGETS ${item} DESTINATION ${destination})
    set(name $<TARGET_FILE_NAME:${item}>)
  else()
    install(FILES ${item} DESTINATION ${destination})
    get_filename_component(name ${item} NAME)
  endif()
  set_property(GLOBAL APPEND PROPERTY kelvaris_installed ${destination}/${name})
endfunction()

function(kelvaris_write_installed_list)
  get_property(installed GLOBAL PROPERTY kelvaris_installed)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/installed_files.txt CONTENT "$<JOIN:${installed},\n>\n")
endfunction()
