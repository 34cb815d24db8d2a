import QtQuick 2.12
import Zel.Gui 1.0

// Shown over a page whose render process died, while its restart waits: the way back to the
// list, since a dead page takes no touch and opens no menu.
Column {
    signal openControllerList()

    spacing: 2 * ZelStyle.ui.contentMargin

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("The page has stopped. It is restarted shortly.")
    }

    Button {
        objectName: "deadPageListButton"
        anchors.horizontalCenter: parent.horizontalCenter
        width: 350
        height: 60
        text: qsTr("Open controller list")
        icon: "qrc:/assets/cog.svg"
        onClicked: parent.openControllerList()
    }
}
