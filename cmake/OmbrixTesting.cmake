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
