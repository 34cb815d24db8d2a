import QtQuick 2.15
import Zel.Gui 1.0

// A ring of dots. Indeterminate: a light runs round it without end. Otherwise `value` (0 to 1)
// lights that share of the dots.
Item {
    id: root

    property real size: 48
    property bool indeterminated: true
    property real value: 0
    property color colorCircle: ZelStyle.ui.primaryColor
    property bool running: visible
    readonly property int _dots: 12

    implicitWidth: size
    implicitHeight: size

    Item {
        id: _ring

        anchors.centerIn: parent
        width: Math.min(root.width, root.height)
        height: width

        Repeater {
            model: root._dots

            Rectangle {
                readonly property real _angle: index / root._dots * 2 * Math.PI
                readonly property real _dotSize: _ring.width * 0.16

                width: _dotSize
                height: _dotSize
                radius: _dotSize / 2
                color: root.colorCircle
                x: (_ring.width - _dotSize) / 2 + Math.sin(_angle) * (_ring.width - _dotSize) / 2
                y: (_ring.height - _dotSize) / 2 - Math.cos(_angle) * (_ring.height - _dotSize) / 2
                opacity: root.indeterminated ? 0.15 + 0.85 * (index + 1) / root._dots
                                             : (index < Math.round(root.value * root._dots) ? 1 : 0.15)
            }
        }

        RotationAnimator on rotation {
            from: 0
            to: 360
            duration: 1200
            loops: Animation.Infinite
            running: root.indeterminated && root.running
        }
    }
}
