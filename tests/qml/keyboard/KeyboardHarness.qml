import QtQuick 2.15
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// A stand-in for the main window's keyboard set-up: its style values, the keyboard panel over
// everything, and the system's layouts and key styles from the resource bundle.
Item {
    id: root

    readonly property alias panel: _panel
    default property alias content: _content.data

    anchors.fill: parent

    ZelStyleGlobal {
        ui.primaryColor: "#008440"
        ui.baseColor: Qt.rgba(1, 1, 1, 1)
        ui.textColor: "#3E3E3E"
        ui.fontFamily: "Lato"
        ui.customColor1: "#E6E6E6"
        virtualkeyboard.displayLanguageNameOnSpaceKey: false
        virtualkeyboard.fontFamily: "Lato"
        virtualkeyboard.panelBackgroundColor: "white"
        virtualkeyboard.keyBackgroundColor: "white"
        virtualkeyboard.functionKeyFontColor: "#3E3E3E"
        virtualkeyboard.functionKeyBackgroundColor: "#E6E6E6"
        virtualkeyboard.spaceKeyBackgroundColor: "#E6E6E6"
        virtualkeyboard.previewKeyBackgroundColor: "#E6E6E6"
        virtualkeyboard.alternateKeysBackgroundColor: "#E6E6E6"
        virtualkeyboard.enterKeyBackgroundColor: "#E6E6E6"
        virtualkeyboard.keyFontColor: "#3E3E3E"
        virtualkeyboard.previewKeyFontColor: "#3E3E3E"
        virtualkeyboard.enterKeyFontColor: "#008440"
        virtualkeyboard.functionKeyActiveFontColor: "#008440"
        virtualkeyboard.topRelativeMargin: 0.04
        virtualkeyboard.keyRelativeOutterMargin: 0.1
    }

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
