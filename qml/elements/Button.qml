import QtQuick 2.12
import QtQuick 2.12 as Q
import Zel.Gui 1.0

// A flat push button: an icon and/or a label on a rounded face whose colour tells whether it
// is enabled, pressed or disabled.
Rectangle {
    id: root

    property string text: ""
    property url icon: ""

    readonly property bool _hasIcon: icon.toString() !== ""
    readonly property color _contentColor: enabled ? "white" : ZelStyle.ui.customColor4

    signal clicked()

    implicitWidth: _content.implicitWidth + 20
    implicitHeight: 40
    radius: 0.15 * height
    color: !enabled ? ZelStyle.ui.customColor1
                    : _touch.pressed ? ZelStyle.ui.customColor2 : ZelStyle.ui.customColor3

    Row {
        id: _content

        anchors.centerIn: parent

        ColoredImage {
            objectName: "buttonIcon"
            anchors.verticalCenter: parent.verticalCenter
            width: 0.55 * root.height
            height: width
            sourceSize: Qt.size(width, height)
            visible: root._hasIcon
            source: root.icon
            color: root._contentColor
        }

        Q.Text {
            objectName: "buttonLabel"
            anchors.verticalCenter: parent.verticalCenter
            visible: root.text !== ""
            text: root.text
            color: root._contentColor
            font.family: ZelStyle.ui.fontFamily
            font.pixelSize: Math.max(1, 0.55 * root.height)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    MyMouseArea {
        id: _touch

        objectName: "buttonTouch"
        anchors.fill: parent
        enabled: root.enabled
        onClicked: root.clicked()
    }
}
