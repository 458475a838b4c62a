# varnoth_add_translation(<target> <file.ts> SOURCE_LANGUAGE <lang> TARGET_LANGUAGE <lang>): the library target
# carries its own texts' translations from translations/<file.ts>, embedded as :/i18n/<file>/<target>.qm. The texts
# are those lupdate finds in the target's folder (CMAKE_CURRENT_SOURCE_DIR); they are taken from a copy of the .ts
# file, so that one .ts file serves several libraries, each with only its own part, and the program loads every part
# it links (core/EmbeddedTranslations). The .ts files are kept up to date by scripts/update-translations.sh (`make
# translations`).
function(varnoth_add_translation target ts_file)
    cmake_parse_arguments(ARG "" "SOURCE_LANGUAGE;TARGET_LANGUAGE" "" ${ARGN})
    get_filename_component(name ${ts_file} NAME_WE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/i18n/${name})
    set(part ${folder}/${target})
    add_custom_command(OUTPUT ${part}.qm
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/translations/${ts_file} ${part}.ts
        COMMAND Qt6::lupdate -silent -locations none -no-obsolete -I ${PROJECT_SOURCE_DIR}/src
                -source-language ${ARG_SOURCE_LANGUAGE} -target-language ${ARG_TARGET_LANGUAGE}
                ${CMAKE_CURRENT_SOURCE_DIR} -ts ${part}.ts
        COMMAND Qt6::lrelease -silent ${part}.ts -qm ${part}.qm
        DEPENDS ${PROJECT_SOURCE_DIR}/translations/${ts_file} ${sources}
        VERBATIM)
    # The resource's name is unique across the libraries: its initialisation function is named after it.
    qt_add_resources(${target} "${name}_${target}" PREFIX "/i18n/${name}" BASE ${folder} FILES ${part}.qm)
endfunction()
