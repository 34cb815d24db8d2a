import QtQuick 2.12
import Zel.Gui 1.0

// The keyboard's background, with a darker line along its top edge.
Rectangle {
    id: root

    color: ZelStyle.virtualkeyboard.panelBackgroundColor

    Rectangle {
        objectName: "topLine"
        width: parent.width
        height: 1
        color: Qt.darker(root.color)
    }
}
