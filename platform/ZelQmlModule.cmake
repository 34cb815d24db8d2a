# zel_add_qml_module(<target> URI <Zel.Name> [SOURCES <c++ files...>] [QML_FILES <files...>]
#                    [EXTRA_FILES <src=dest...>] [LIBS <libs...>])
# Builds one stand-in QML module into ${CS_QML_IMPORT_DIR}/<uri as path>/: the C++ plug-in (when
# SOURCES are given), the qmldir and the QML documents. The documents are copied at build time,
# so an edited document is picked up by the next build without re-configuring.
function(zel_add_qml_module target)
    cmake_parse_arguments(ARG "" "URI" "SOURCES;QML_FILES;EXTRA_FILES;LIBS" ${ARGN})
    string(REPLACE "." "/" uri_path "${ARG_URI}")
    set(module_dir "${CS_QML_IMPORT_DIR}/${uri_path}")

    set(copied)
    foreach(f qmldir ${ARG_QML_FILES})
        get_filename_component(name "${f}" NAME)
        add_custom_command(OUTPUT "${module_dir}/${name}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${CMAKE_CURRENT_SOURCE_DIR}/${f}"
                    "${module_dir}/${name}"
            DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${f}"
            COMMENT "" VERBATIM)
        list(APPEND copied "${module_dir}/${name}")
    endforeach()
    foreach(pair ${ARG_EXTRA_FILES})
        string(REPLACE "=" ";" parts "${pair}")
        list(GET parts 0 src)
        list(GET parts 1 dest)
        add_custom_command(OUTPUT "${module_dir}/${dest}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${src}" "${module_dir}/${dest}"
            DEPENDS "${src}" VERBATIM)
        list(APPEND copied "${module_dir}/${dest}")
    endforeach()
    add_custom_target(${target}_files ALL DEPENDS ${copied})

    if(ARG_SOURCES)
        add_library(${target} MODULE ${ARG_SOURCES})
        target_compile_options(${target} PRIVATE ${CS_WARNINGS})
        target_link_libraries(${target} PRIVATE Qt5::Core Qt5::Gui Qt5::Qml Qt5::Quick ${ARG_LIBS})
        set_target_properties(${target} PROPERTIES
            LIBRARY_OUTPUT_DIRECTORY "${module_dir}"
            PREFIX "lib")
        add_dependencies(${target} ${target}_files)
    endif()
endfunction()
