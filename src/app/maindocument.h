#pragma once

// The main document as the application loads it: by its own path, under which the Qt Quick
// Compiler of any Qt version finds it compiled in. The bundle keeps "qrc:/qml/main" as an alias
// of the same file for anyone who loads it by that name (compiled at run time then).
#define CS_MAIN_DOCUMENT "qrc:/qml/main.qml"
