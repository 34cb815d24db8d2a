import QtQuick 2.12
import QtQuick.Window 2.12

Window {
    id: root

    visible: true
    width: 1280
    height: 800
    color: "white"
    title: "controllerselect"

    Text {
        anchors.centerIn: parent
        font.family: "Lato"
        font.pixelSize: 32
        text: $Controller.lastController !== "" ? $Controller.lastController : qsTr("No controller selected")
    }
}
