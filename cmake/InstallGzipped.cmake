# varnoth_install_gzipped(<source> <destination>): installs <source> compressed as <name>.gz, the way Debian ships
# changelogs and manual pages. gzip -9n leaves out the name and the time, so the same text always gives the same
# bytes. The file is compressed when CMake configures, and a change to the source configures again.
function(varnoth_install_gzipped source destination)
    get_filename_component(source_path ${source} ABSOLUTE)
    get_filename_component(name ${source} NAME)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
    execute_process(COMMAND gzip -9n -c ${source_path} OUTPUT_FILE ${compressed} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip could not compress ${source_path}")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source_path})
    install(FILES ${compressed} DESTINATION ${destination})
endfunction()
