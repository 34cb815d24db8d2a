import QtQuick 2.15
import Zel.Gui 1.0

// A chevron that points down by default and up in the state "opened".
Item {
    id: root

    property color color: ZelStyle.ui.primaryColor
    property real size: 24

    implicitWidth: size
    implicitHeight: size

    Text {
        id: _glyph

        anchors.centerIn: parent
        text: "\uf078"
        font: $ZelGui.fontAwesome5Solid(root.size)
        color: root.color
    }

    states: State {
        name: "opened"
        PropertyChanges { target: _glyph; rotation: 180 }
    }

    transitions: Transition {
        RotationAnimation { duration: 200; direction: RotationAnimation.Shortest }
    }
}
