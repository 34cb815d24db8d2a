import QtQuick 2.12
import QtQml 2.15
import QtQuick.Controls 2.12
import Zel.Gui 1.0

// The single-line text field of the UI: style font and colour, a blinking block cursor and a
// thin frame that lights up while the field has the focus.
TextField {
    id: root

    font: Qt.font({ family: ZelStyle.ui.fontFamily, pixelSize: Math.max(1, Math.round(0.55 * height)) })
    color: ZelStyle.ui.textColor
    implicitHeight: 40

    cursorDelegate: Rectangle {
        objectName: "textCursor"
        width: root.cursorRectangle.width
        height: root.cursorRectangle.height
        color: ZelStyle.ui.primaryColor
        visible: root.cursorVisible

        SequentialAnimation on opacity {
            loops: Animation.Infinite
            running: root.cursorVisible
            alwaysRunToEnd: true

            NumberAnimation { from: 1; to: 0.1; duration: 600; easing.type: Easing.InOutQuad }
            NumberAnimation { from: 0.1; to: 1; duration: 600; easing.type: Easing.InOutQuad }
        }
    }

    background: Rectangle {
        objectName: "textFrame"
        implicitWidth: 200
        color: "transparent"
        radius: 0.15 * root.height
        border.width: 1
        border.color: root.activeFocus ? ZelStyle.ui.primaryColor : "darkGrey"
        opacity: root.activeFocus ? 1.0 : 0.3

        Behavior on opacity {
            NumberAnimation { duration: 300 }
        }
    }

    // A disabled field shows nothing; its text comes back when it is enabled again.
    Binding {
        target: root
        property: "text"
        value: ""
        when: !root.enabled
        restoreMode: Binding.RestoreBindingOrValue
    }
}
