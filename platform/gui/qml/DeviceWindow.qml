import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import Zel.BSP 1.0

// The device's top-level window: full screen on the board, a window of the panel's size on a
// desktop. Its children lie in the UI's coordinates, turned by the device rotation; the popup
// overlay stays in panel coordinates (use a DeviceContainer there).
ApplicationWindow {
    id: root

    default property alias content: _content.data
    readonly property Item contentArea: _content
    readonly property bool _turned: DeviceType.rotation === 90 || DeviceType.rotation === 270

    visible: true
    width: DeviceType.screenWidth
    height: DeviceType.screenHeight
    minimumWidth: Qt.platform.pluginName === "eglfs" ? 0 : DeviceType.screenWidth
    minimumHeight: Qt.platform.pluginName === "eglfs" ? 0 : DeviceType.screenHeight
    maximumWidth: Qt.platform.pluginName === "eglfs" ? 16777215 : DeviceType.screenWidth
    maximumHeight: Qt.platform.pluginName === "eglfs" ? 16777215 : DeviceType.screenHeight
    title: Qt.application.name

    Component.onCompleted: {
        if (Qt.platform.pluginName === "eglfs")
            root.showFullScreen()
    }

    Item {
        id: _content

        anchors.centerIn: parent
        width: root._turned ? parent.height : parent.width
        height: root._turned ? parent.width : parent.height
        rotation: DeviceType.rotation
    }
}
