# ombrix_add_test(NAME name SOURCES ... LIBRARIES ... [GUI])
# One test executable, registered with ctest under its own name. GUI tests run on Qt's offscreen
# platform so that they need no display.
function(ombrix_add_test)
    cmake_parse_arguments(ARG "GUI" "NAME" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} ombrix_options)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    if(ARG_GUI)
        set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()

# ombrix_add_fixtures(TARGET target NAMES name ... [REPLACE placeholder text ...])
# Databases that mkmdb writes at build time from fixtures/NAME.json beside the calling CMakeLists
# into fixtures/NAME.mdb in its build folder; @FIXTURES@ in a description stands for that folder,
# so that linked tables can name their sources, and each REPLACE placeholder for its text. TARGET
# builds them all.
function(ombrix_add_fixtures)
    cmake_parse_arguments(ARG "" "TARGET" "NAMES;REPLACE" ${ARGN})
    set(built ${CMAKE_CURRENT_BINARY_DIR}/fixtures)
    set(files)
    foreach(name IN LISTS ARG_NAMES)
        set(source ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/${name}.json)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
        file(READ ${source} description)
        string(REPLACE "@FIXTURES@" "${built}" description "${description}")
        set(replacements ${ARG_REPLACE})
        while(replacements)
            list(POP_FRONT replacements placeholder text)
            string(REPLACE "${placeholder}" "${text}" description "${description}")
        endwhile()
        file(GENERATE OUTPUT ${built}/${name}.json CONTENT "${description}")
        add_custom_command(OUTPUT ${built}/${name}.mdb
            COMMAND mkmdb ${built}/${name}.json ${built}/${name}.mdb
            DEPENDS mkmdb ${built}/${name}.json)
        list(APPEND files ${built}/${name}.mdb)
    endforeach()
    add_custom_target(${ARG_TARGET} DEPENDS ${files})
endfunction()
