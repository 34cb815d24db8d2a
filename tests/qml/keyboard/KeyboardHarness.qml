import QtQuick 2.15
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"

// A stand-in for the main window's keyboard set-up: its style values, the keyboard panel over
// everything, and the system's layouts and key styles from the resource bundle.
Item {
    id: root

    readonly property alias panel: _panel
    default property alias content: _content.data

    anchors.fill: parent

    AppStyle {}

    Rectangle {
        anchors.fill: parent
        color: "white"
    }

    Item {
        id: _content

        anchors.fill: parent
    }

    InputPanel {
        id: _panel

        objectName: "inputPanel"
        anchors.fill: parent
        z: 1000
    }

    Component.onCompleted: {
        VirtualKeyboardSettings.layoutPath = "qrc:/qml/keyboard/layouts";
        VirtualKeyboardSettings.stylePath = "qrc:/qml/keyboard/style";
    }
}
