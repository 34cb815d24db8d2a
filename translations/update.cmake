# cmake -DLUPDATE=... -DTEMPLATE=... -DWORK=... -DSOURCES="a;b" -P update.cmake
# lupdate works on a copy, so the template in the tree is rewritten only when a caption changed.
# No source locations: they would point from the copy, and they change with every edit.
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
execute_process(COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${WORK}" "${TEMPLATE}")
