# cmake -DLUPDATE=... -DTEMPLATE=... -DWORK=... -DSOURCES="a;b" [-DCHECK=ON] -P update.cmake
# lupdate works on a copy, so the template in the tree is rewritten only when a caption changed.
# No source locations: they would point from the copy, and they change with every edit.
# With CHECK the tree is left alone and a template that lupdate would change is an error.
if(EXISTS "${TEMPLATE}")
    configure_file("${TEMPLATE}" "${WORK}" COPYONLY)
else()
    file(REMOVE "${WORK}")
endif()
execute_process(
    COMMAND "${LUPDATE}" -silent -locations none -no-obsolete -source-language en
        ${SOURCES} -ts "${WORK}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result})")
endif()
if(CHECK)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}" "${TEMPLATE}"
        RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${TEMPLATE} is out of date with the UI's captions: run make translations")
    endif()
    message(STATUS "The translation template is current")
else()
    execute_process(COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${WORK}" "${TEMPLATE}")
endif()
