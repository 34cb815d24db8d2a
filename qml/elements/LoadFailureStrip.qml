import QtQuick 2.12
import Zel.Gui 1.0
// This folder's Text (the style's font and colour) rather than the plain one.
import "."

// Lies over the lower part of the engine's error page while the chosen controller's page has
// failed, and says in plain words what the display knows: its own link is down, the controller
// does not answer, or its web server answered with an error. Says when the next try is, and
// offers one at once and the way back to the list. The error page above it stays readable.
Rectangle {
    id: root

    property bool linkUp: true
    // An HTTP status (positive) or the engine's network error (negative).
    property int code: 0
    // When the next try is due (ms since the epoch); 0 while none is planned.
    property double nextTryAt: 0

    signal tryNow()
    signal openControllerList()

    readonly property real _margin: ZelStyle.ui.contentMargin
    property double _now: Date.now()

    function _reason() {
        if (!root.linkUp)
            return qsTr("The display's network cable is unplugged or its Ethernet link is down.");
        if (root.code >= 500)
            return qsTr("The controller's web server answered with an error (%1). It may still be starting.")
                    .arg(root.code);
        return qsTr("The controller does not answer. Check that it is switched on and connected.");
    }

    function _when() {
        if (root.nextTryAt <= 0)
            return qsTr("The page is loaded again once the controller answers.");
        var seconds = Math.max(1, Math.ceil((root.nextTryAt - root._now) / 1000));
        return seconds === 1 ? qsTr("Trying again in 1 second.")
                             : qsTr("Trying again in %1 seconds.").arg(seconds);
    }

    implicitHeight: _column.height + 2 * _margin
    color: ZelStyle.ui.baseColor
    border.width: 2
    border.color: ZelStyle.ui.borderColor

    // Taps on the strip are its own, not the error page's.
    MouseArea {
        anchors.fill: parent
    }

    Timer {
        interval: 1000
        repeat: true
        running: root.visible && root.nextTryAt > 0
        triggeredOnStart: true
        onTriggered: root._now = Date.now()
    }

    Column {
        id: _column

        x: 2 * root._margin
        y: root._margin
        width: root.width - 4 * root._margin
        spacing: root._margin

        Text {
            objectName: "failureReason"
            width: parent.width
            wrapMode: Text.WordWrap
            font.bold: true
            color: ZelStyle.ui.primaryColor
            text: root._reason()
        }

        Text {
            objectName: "failureNextTry"
            width: parent.width
            wrapMode: Text.WordWrap
            font.pixelSize: 21
            text: root._when()
        }

        Row {
            spacing: 2 * root._margin

            Button {
                objectName: "failureTryNowButton"
                width: 250
                height: 60
                text: qsTr("Try now")
                onClicked: root.tryNow()
            }

            Button {
                objectName: "failureListButton"
                width: 350
                height: 60
                text: qsTr("Open controller list")
                icon: "qrc:/assets/cog.svg"
                onClicked: root.openControllerList()
            }
        }

        Text {
            width: parent.width
            wrapMode: Text.WordWrap
            font.pixelSize: 18
            text: qsTr("The controller list can always be reached by pulling down from the top edge of the screen.")
        }
    }
}
