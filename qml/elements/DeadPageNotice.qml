import QtQuick 2.12
import Zel.Gui 1.0
// This folder's Text (the style's font and colour) rather than the plain one.
import "."

// Shown over a page whose render process died or stopped answering, while its restart waits:
// the way back to the list, since such a page takes no touch and opens no menu.
Column {
    id: root

    // The page stopped answering (its render process lives); otherwise it died.
    property bool hung: false

    signal openControllerList()

    spacing: 2 * ZelStyle.ui.contentMargin

    Text {
        objectName: "deadPageText"
        anchors.horizontalCenter: parent.horizontalCenter
        text: root.hung ? qsTr("The page does not respond. It is restarted shortly.")
                        : qsTr("The page has stopped. It is restarted shortly.")
    }

    Button {
        objectName: "deadPageListButton"
        anchors.horizontalCenter: parent.horizontalCenter
        width: 350
        height: 60
        text: qsTr("Open controller list")
        icon: "qrc:/assets/cog.svg"
        onClicked: root.openControllerList()
    }

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        font.pixelSize: 18
        text: qsTr("The controller list can always be reached by pulling down from the top edge of the screen.")
    }
}
