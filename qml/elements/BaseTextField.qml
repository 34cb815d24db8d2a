import QtQuick 2.12
import QtQuick.Controls 2.12
import Zel.Gui 1.0

// The single-line text field of the UI: style font and colour, a blinking block cursor and a
// thin frame that lights up while the field has the focus.
TextField {
    id: root

    // A disabled field shows nothing: its text is held at "", and what it held or was given
    // meanwhile is kept here and shown once the field is enabled again (the settings pages
    // fill their fields whether or not these are enabled). An assignment of "" while disabled
    // changes nothing that can be seen, so it is not noticed: the kept text stays.
    property string _heldText: ""

    function _hold() {
        root._heldText = root.text
        root.text = ""
    }

    font: Qt.font({ family: ZelStyle.ui.fontFamily, pixelSize: Math.max(1, Math.round(0.55 * height)) })
    color: ZelStyle.ui.textColor
    implicitHeight: 40

    onEnabledChanged: {
        if (root.enabled)
            root.text = root._heldText
        else
            root._hold()
    }
    // Only a text that shows is moved aside here: the "" put in by _hold() must not replace
    // the kept text.
    onTextChanged: {
        if (!root.enabled && root.text !== "")
            root._hold()
    }
    Component.onCompleted: {
        if (!root.enabled && root.text !== "")
            root._hold()
    }

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
}
