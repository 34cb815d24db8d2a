import QtQuick 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0

// The label of a form row, in the forms' input font; the row's input takes the same font.
Text {
    font: $ZelGui.font({ "family": ZelStyle.ui.fontFamily, "pixelSize": $ZelGui.sp(25) })
    Layout.alignment: Qt.AlignVCenter
}
