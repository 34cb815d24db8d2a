import QtQuick 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0

// A label of an information table.
Text {
    font: $ZelGui.font({ "family": ZelStyle.ui.fontFamily, "pixelSize": $ZelGui.sp(22) })
    Layout.alignment: Qt.AlignTop
}
