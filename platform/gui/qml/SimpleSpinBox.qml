import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import Zel.Gui 1.0

// A number with "-" and "+" buttons; with editable the number can also be typed. Values are
// kept within from..to; plain digits, no group separators, so typed and shown text agree.
// As with any Controls 2 spin box, a typed number becomes the value only on Return or Enter or
// when the spin box loses the focus.
T.SpinBox {
    id: root

    implicitWidth: Math.max(180, contentItem.implicitWidth + 2 * height)
    implicitHeight: 40
    leftPadding: height + 4
    rightPadding: height + 4
    font.family: ZelStyle.ui.fontFamily
    font.pixelSize: 20
    editable: false
    from: 0
    to: 99

    validator: IntValidator {
        bottom: Math.min(root.from, root.to)
        top: Math.max(root.from, root.to)
    }
    textFromValue: function (value) { return String(value) }
    valueFromText: function (text) {
        const v = parseInt(text, 10)
        return isNaN(v) ? root.value : Math.max(Math.min(root.from, root.to),
                                                Math.min(Math.max(root.from, root.to), v))
    }

    contentItem: TextInput {
        objectName: "spinBoxInput"
        z: 2
        text: root.displayText
        font: root.font
        color: ZelStyle.ui.textColor
        selectionColor: ZelStyle.ui.primaryColor
        selectedTextColor: ZelStyle.ui.baseColor
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        readOnly: !root.editable
        validator: root.validator
        inputMethodHints: Qt.ImhDigitsOnly | Qt.ImhNoPredictiveText
        selectByMouse: root.editable
        clip: true
    }

    down.indicator: Rectangle {
        objectName: "spinBoxDown"
        x: 0
        height: root.height
        width: height
        radius: height * 0.15
        color: root.down.pressed ? Qt.darker(ZelStyle.ui.customColor1, 1.15) : ZelStyle.ui.customColor1
        opacity: enabled ? 1.0 : 0.4

        Text {
            anchors.centerIn: parent
            text: "\u2212"
            font.family: root.font.family
            font.pixelSize: parent.height * 0.6
            color: ZelStyle.ui.textColor
        }
    }

    up.indicator: Rectangle {
        objectName: "spinBoxUp"
        x: root.width - width
        height: root.height
        width: height
        radius: height * 0.15
        color: root.up.pressed ? Qt.darker(ZelStyle.ui.customColor1, 1.15) : ZelStyle.ui.customColor1
        opacity: enabled ? 1.0 : 0.4

        Text {
            anchors.centerIn: parent
            text: "+"
            font.family: root.font.family
            font.pixelSize: parent.height * 0.6
            color: ZelStyle.ui.textColor
        }
    }

    background: Rectangle {
        radius: height * 0.15
        color: ZelStyle.ui.baseColor
        border.width: 1
        border.color: root.activeFocus ? ZelStyle.ui.primaryColor : ZelStyle.ui.borderColor
    }
}
