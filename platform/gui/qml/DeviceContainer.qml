import QtQuick 2.15
import Zel.BSP 1.0

// Lays its children out in the device's visible area: inside the mask border (unless
// contentMarginsEnabled is false) and turned by the device rotation. Meant for the popup
// overlay and popups, which are in panel coordinates.
Item {
    id: root

    property bool contentMarginsEnabled: true
    default property alias content: _content.data
    readonly property Item contentItem: _content

    readonly property real _left: contentMarginsEnabled ? DeviceType.maskMarginLeft : 0
    readonly property real _top: contentMarginsEnabled ? DeviceType.maskMarginTop : 0
    readonly property real _right: contentMarginsEnabled ? DeviceType.maskMarginRight : 0
    readonly property real _bottom: contentMarginsEnabled ? DeviceType.maskMarginBottom : 0
    readonly property real _visibleWidth: Math.max(0, width - _left - _right)
    readonly property real _visibleHeight: Math.max(0, height - _top - _bottom)
    readonly property bool _turned: DeviceType.rotation === 90 || DeviceType.rotation === 270

    anchors.fill: parent

    Item {
        id: _content

        width: root._turned ? root._visibleHeight : root._visibleWidth
        height: root._turned ? root._visibleWidth : root._visibleHeight
        x: root._left + (root._visibleWidth - width) / 2
        y: root._top + (root._visibleHeight - height) / 2
        rotation: DeviceType.rotation
    }
}
