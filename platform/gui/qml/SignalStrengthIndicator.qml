import QtQuick 2.15
import Zel.Gui 1.0

// Four bars of rising height; `value` bars (0 to 4) are filled, -1 means no signal at all and
// is drawn crossed out. Children are laid over the bars (for example a lock in a corner).
Item {
    id: root

    property int value: 0
    property color baseColor: "#d1d1d1"
    property color fillColor: ZelStyle.ui.primaryColor
    default property alias content: _overlay.data
    readonly property int bars: Math.max(-1, Math.min(4, value))

    implicitWidth: 32
    implicitHeight: 32

    Row {
        id: _bars

        anchors.fill: parent
        anchors.margins: root.width * 0.06
        spacing: width * 0.08

        Repeater {
            model: 4

            Rectangle {
                objectName: "signalBar" + index
                readonly property bool filled: index < root.bars

                width: (_bars.width - 3 * _bars.spacing) / 4
                height: _bars.height * (index + 1) / 4
                anchors.bottom: parent.bottom
                radius: width * 0.2
                color: filled ? root.fillColor : root.baseColor
            }
        }
    }

    Rectangle {
        objectName: "noSignalMark"
        visible: root.bars < 0
        anchors.centerIn: parent
        width: Math.hypot(root.width, root.height) * 0.8
        height: Math.max(2, root.height * 0.08)
        rotation: -45
        radius: height / 2
        color: root.fillColor
    }

    Item {
        id: _overlay

        anchors.fill: parent
    }
}
