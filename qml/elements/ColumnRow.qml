import QtQuick 2.12 as Q
import Zel.Gui 1.0

// One line of a table: a text per column, each column the given share of the row's width.
Q.Row {
    id: root

    property var texts: []
    property var columnSizes: []
    property color color: ZelStyle.ui.textColor
    property bool bold: false

    Q.Repeater {
        model: root.texts

        Text {
            width: root.width * root.columnSizes[index]
            height: root.height
            text: modelData === undefined ? "" : modelData
            color: root.color
            font.pixelSize: 20
            font.bold: root.bold
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
    }
}
