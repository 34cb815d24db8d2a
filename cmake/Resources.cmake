# The resource bundle: every UI document, keyboard layout, image and font, compiled in.
# The .qrc is generated from the tree so that adding a document never means editing a shared
# list. The main document is also reachable as "qrc:/qml/main" (an alias without extension); the
# application loads it by its own path, under which it is compiled in.
file(GLOB_RECURSE cs_qml_files CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}"
    "${CMAKE_SOURCE_DIR}/qml/*")
file(GLOB_RECURSE cs_asset_files CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}"
    "${CMAKE_SOURCE_DIR}/assets/*")
list(FILTER cs_asset_files EXCLUDE REGEX "(^|/)\\.|README")

# Lato is compiled in from a folder of the build machine (Debian's fonts-lato by default, or a
# board SDK's fonts); it is not kept in the tree.
set(CS_LATO_DIR "/usr/share/fonts/truetype/lato" CACHE PATH
    "Folder holding Lato-Regular.ttf and Lato-Bold.ttf, compiled into the application")
set(cs_generated_assets "${CMAKE_BINARY_DIR}/generated/assets")
foreach(face Lato-Regular Lato-Bold)
    if(NOT EXISTS "${CS_LATO_DIR}/${face}.ttf")
        message(FATAL_ERROR "${face}.ttf is not in CS_LATO_DIR (${CS_LATO_DIR}). Install Debian's "
            "fonts-lato (scripts/setup.sh does) or point the option at the fonts: "
            "cmake -DCS_LATO_DIR=<folder> ...")
    endif()
    configure_file("${CS_LATO_DIR}/${face}.ttf" "${cs_generated_assets}/fonts/${face}.ttf" COPYONLY)
endforeach()

# The main document's alias lives in a bundle of its own: the Qt Quick Compiler wants each
# document under one name only.
set(cs_qrc "${CMAKE_BINARY_DIR}/generated/controllerselect.qrc")
set(cs_main_qrc "${CMAKE_BINARY_DIR}/generated/controllerselect_main.qrc")
set(cs_qrc_head "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n")
set(cs_qrc_tail "</qresource>\n</RCC>\n")
set(cs_qrc_text "${cs_qrc_head}")
foreach(f IN LISTS cs_qml_files cs_asset_files)
    string(APPEND cs_qrc_text "  <file alias=\"${f}\">${CMAKE_SOURCE_DIR}/${f}</file>\n")
endforeach()
foreach(face Lato-Regular Lato-Bold)
    string(APPEND cs_qrc_text
        "  <file alias=\"assets/fonts/${face}.ttf\">${cs_generated_assets}/fonts/${face}.ttf</file>\n")
endforeach()
string(APPEND cs_qrc_text "${cs_qrc_tail}")
set(cs_main_qrc_text
    "${cs_qrc_head}  <file alias=\"qml/main\">${CMAKE_SOURCE_DIR}/qml/main.qml</file>\n${cs_qrc_tail}")
# Written at configure time (the resource compiler's dependency scan reads them then), and only
# when they changed, so an unrelated re-configure does not rebuild the bundle.
foreach(pair "${cs_qrc}=cs_qrc_text" "${cs_main_qrc}=cs_main_qrc_text")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 file)
    list(GET pair 1 var)
    file(WRITE "${file}.new" "${${var}}")
    configure_file("${file}.new" "${file}" COPYONLY)
endforeach()

# The UI documents are compiled ahead of time by the Qt Quick Compiler of the Qt in use (its
# qmlcachegen runs on the build machine), so a start with an empty cache compiles no QML.
option(CS_QML_AHEAD_OF_TIME "Compile the UI documents into the application" ON)
if(CS_QML_AHEAD_OF_TIME)
    find_package(Qt5QuickCompiler REQUIRED)
    qtquick_compiler_add_resources(cs_qrc_sources "${cs_qrc}")
    # Some versions of the compiler drop the compiled documents from the bundle it builds; the
    # sources stay in, since the keyboard's layout and style folders are looked up there.
    get_filename_component(cs_qrc_name "${cs_qrc}" NAME_WE)
    configure_file("${cs_qrc}" "${CMAKE_CURRENT_BINARY_DIR}/${cs_qrc_name}_qmlcache.qrc" COPYONLY)
else()
    qt5_add_resources(cs_qrc_sources "${cs_qrc}")
endif()
qt5_add_resources(cs_qrc_sources "${cs_main_qrc}")

# An object library keeps the bundles' load-time registration from being dropped by the linker.
add_library(controllerselect_resources OBJECT ${cs_qrc_sources})
set_source_files_properties(${cs_qrc_sources} PROPERTIES SKIP_AUTOMOC ON)
target_link_libraries(controllerselect_resources PRIVATE Qt5::Core Qt5::Qml)
