# The resource bundle: every UI document, keyboard layout, image and font, compiled in.
# The .qrc is generated from the tree so that adding a document never means editing a shared
# list. The main document is reachable as "qrc:/qml/main" (an alias without extension).
file(GLOB_RECURSE cs_qml_files CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}"
    "${CMAKE_SOURCE_DIR}/qml/*")
file(GLOB_RECURSE cs_asset_files CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}"
    "${CMAKE_SOURCE_DIR}/assets/*")
list(FILTER cs_asset_files EXCLUDE REGEX "(^|/)\\.|README")

# Lato comes from the system's font package at build time; it is not kept in the tree.
set(cs_lato_dir "/usr/share/fonts/truetype/lato")
set(cs_generated_assets "${CMAKE_BINARY_DIR}/generated/assets")
foreach(face Lato-Regular Lato-Bold)
    if(NOT EXISTS "${cs_lato_dir}/${face}.ttf")
        message(FATAL_ERROR "${cs_lato_dir}/${face}.ttf is missing: run scripts/setup.sh")
    endif()
    configure_file("${cs_lato_dir}/${face}.ttf" "${cs_generated_assets}/fonts/${face}.ttf" COPYONLY)
endforeach()

set(cs_qrc "${CMAKE_BINARY_DIR}/generated/controllerselect.qrc")
set(cs_qrc_text "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n")
foreach(f IN LISTS cs_qml_files cs_asset_files)
    if(f STREQUAL "qml/main.qml")
        string(APPEND cs_qrc_text "  <file alias=\"qml/main\">${CMAKE_SOURCE_DIR}/${f}</file>\n")
    endif()
    string(APPEND cs_qrc_text "  <file alias=\"${f}\">${CMAKE_SOURCE_DIR}/${f}</file>\n")
endforeach()
foreach(face Lato-Regular Lato-Bold)
    string(APPEND cs_qrc_text
        "  <file alias=\"assets/fonts/${face}.ttf\">${cs_generated_assets}/fonts/${face}.ttf</file>\n")
endforeach()
string(APPEND cs_qrc_text "</qresource>\n</RCC>\n")
# Written at configure time (the resource compiler's dependency scan reads it then), and only
# when it changed, so an unrelated re-configure does not rebuild the bundle.
file(WRITE "${cs_qrc}.new" "${cs_qrc_text}")
configure_file("${cs_qrc}.new" "${cs_qrc}" COPYONLY)

# An object library keeps the bundle's load-time registration from being dropped by the linker.
qt5_add_resources(cs_qrc_sources "${cs_qrc}")
add_library(controllerselect_resources OBJECT ${cs_qrc_sources})
set_source_files_properties(${cs_qrc_sources} PROPERTIES SKIP_AUTOMOC ON)
