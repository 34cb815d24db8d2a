import QtQuick 2.12
import Zel.Gui 1.0

// Puts the keyboard away: a keyboard glyph with a chevron pointing down under it.
KeyGeneric {
    id: root

    dropShadow: false
    autorepeat: false
    textColor: style.functionKeyFontColor
    color: style.functionKeyBackgroundColor

    onKeyClicked: Qt.inputMethod.hide()

    Item {
        id: _keyboardBox

        objectName: "keyboardGlyph"
        width: parent.width / 2
        height: parent.height / 2
        x: (parent.width - width) / 2
        y: (parent.height - height) / 2 - 0.1 * height
        rotation: root.iconRotation

        Glyph {
            anchors.fill: parent
            text: "\uf11c" // keyboard
            color: root.textColor
        }

        Glyph {
            objectName: "chevronGlyph"
            width: parent.width / 2
            height: parent.height / 2
            x: (parent.width - width) / 2
            y: parent.height + $ZelGui.sp(3) - height / 2
            text: "\uf078" // chevron-down
            color: root.textColor
        }
    }
}
