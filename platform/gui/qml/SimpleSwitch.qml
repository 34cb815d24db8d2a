import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import Zel.Gui 1.0

// An on/off switch that names its state: a track in the state's colour with the knob at one end
// and the state's text beside it.
T.Switch {
    id: root

    property string textChecked: qsTr("On")
    property string textUnchecked: qsTr("Off")
    property color colorChecked: ZelStyle.ui.primaryColor
    property color colorUnchecked: ZelStyle.ui.customColor1

    implicitWidth: Math.max(115, _text.implicitWidth + height + 2 * padding + 8)
    implicitHeight: 40
    padding: 3
    font.family: ZelStyle.ui.fontFamily
    font.pixelSize: 20
    text: checked ? textChecked : textUnchecked

    indicator: Rectangle {
        id: _knob

        width: root.height - 2 * root.padding
        height: width
        radius: width / 2
        y: root.padding
        x: root.checked ? root.width - width - root.padding : root.padding
        color: ZelStyle.ui.baseColor
        border.width: 1
        border.color: ZelStyle.ui.borderColor

        Behavior on x {
            NumberAnimation { duration: 150 }
        }
    }

    contentItem: Text {
        id: _text

        leftPadding: root.checked ? 8 : _knob.width + 8
        rightPadding: root.checked ? _knob.width + 8 : 8
        text: root.text
        font: root.font
        color: ZelStyle.ui.textColor
        opacity: root.enabled ? 1.0 : 0.4
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        radius: height / 2
        color: root.checked ? root.colorChecked : root.colorUnchecked
        border.width: root.visualFocus ? 2 : 0
        border.color: ZelStyle.ui.primaryColor

        Behavior on color {
            ColorAnimation { duration: 150 }
        }
    }
}
