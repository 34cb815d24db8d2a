# Adds every immediate subdirectory of the current source dir that has a CMakeLists.txt,
# so each area can own its own list file without touching a shared one.
function(cs_add_subdirectories)
    file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*")
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
            add_subdirectory("${child}")
        endif()
    endforeach()
endfunction()

# Environment shared by every test that starts Qt: the stand-in platform on the import and
# plug-in paths, headless rendering that works without a display.
set(CS_TEST_ENV
    "QML2_IMPORT_PATH=${CS_QML_IMPORT_DIR}"
    "QT_PLUGIN_PATH=${CS_PLUGIN_DIR}"
    "QT_QPA_PLATFORM=offscreen"
    "QT_QPA_OFFSCREEN_NO_GLX=1"
    "QT_QUICK_BACKEND=software"
    "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu --disable-background-networking --disable-component-update"
    "XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/tmp/cache"
    "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/tmp/data"
    "CS_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "CS_BINARY_DIR=${CMAKE_BINARY_DIR}"
)

# cs_add_unit_test(<name> SOURCES <files...> [LIBS <libs...>] [LABELS <labels...>] [TIMEOUT <s>])
# One QtTest executable per unit, linked against the system's core library.
function(cs_add_unit_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${CS_WARNINGS})
    target_link_libraries(${name} PRIVATE controllerselect_core Qt5::Test ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "${CS_TEST_ENV}")
endfunction()

# cs_add_qml_test(<name> FILE <tst_x.qml> [XVFB | EGLFS] [LABELS <labels...>] [TIMEOUT <s>]
#                 [ENV <k=v...>] [WRAP <command...>])
# One Qt Quick Test file per element or page, run by the project's runner, which has the
# application's resource bundle compiled in (so "qrc:/qml/..." resolves as in the product).
# XVFB runs it under a virtual X server with the xcb platform (closest to a GL board); EGLFS
# under one with eglfs, the board's own platform plug-in (one full-screen window, no input but
# what the test synthesizes). WRAP runs the whole under a command that ends in "--" (a server).
function(cs_add_qml_test name)
    cmake_parse_arguments(ARG "XVFB;EGLFS" "FILE;TIMEOUT" "LABELS;ENV;WRAP" ${ARGN})
    get_filename_component(file "${ARG_FILE}" ABSOLUTE)
    if(NOT ARG_LABELS)
        set(ARG_LABELS qml)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 180)
    endif()
    set(env ${CS_TEST_ENV} ${ARG_ENV})
    if(ARG_XVFB OR ARG_EGLFS)
        list(FILTER env EXCLUDE REGEX "^QT_QPA_PLATFORM=|^QT_QUICK_BACKEND=|^QT_QPA_OFFSCREEN_NO_GLX=")
        if(ARG_EGLFS)
            list(APPEND env "QT_QPA_PLATFORM=eglfs" "QT_QPA_EGLFS_INTEGRATION=eglfs_x11"
                "QT_QPA_EGLFS_WIDTH=1280" "QT_QPA_EGLFS_HEIGHT=800")
        else()
            list(APPEND env "QT_QPA_PLATFORM=xcb")
        endif()
        set(command xvfb-run -a -s "-screen 0 1280x800x24" $<TARGET_FILE:cs_qmltestrunner>)
    else()
        set(command $<TARGET_FILE:cs_qmltestrunner>)
    endif()
    add_test(NAME ${name} COMMAND ${ARG_WRAP} ${command} -input ${file})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "${env}")
endfunction()
