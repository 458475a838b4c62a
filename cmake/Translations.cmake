# varnoth_add_translation(<target> <file.ts> SOURCE_LANGUAGE <lang> FOLDERS <folders under src/...>): compiles
# translations/<file.ts> into a .qm file embedded in target as :/i18n/<file>.qm. Its lupdate targets
# (`update_translations`) read the same folders as scripts/update-translations.sh, which is how the .ts files are
# kept up to date (`make translations`).
function(varnoth_add_translation target ts_file)
    cmake_parse_arguments(ARG "" "SOURCE_LANGUAGE" "FOLDERS" ${ARGN})
    set(sources)
    foreach(folder ${ARG_FOLDERS})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp
             ${PROJECT_SOURCE_DIR}/src/${folder}/*.h ${PROJECT_SOURCE_DIR}/src/${folder}/*.ui)
        list(APPEND sources ${found})
    endforeach()
    qt_add_translations(${target} TS_FILES ${PROJECT_SOURCE_DIR}/translations/${ts_file} SOURCES ${sources}
        INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/src
        LUPDATE_OPTIONS -locations none -source-language ${ARG_SOURCE_LANGUAGE})
endfunction()
