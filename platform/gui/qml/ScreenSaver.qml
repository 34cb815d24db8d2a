import QtQuick 2.15
import QtQuick.Window 2.15
import Zel.Gui 1.0

// Covers the whole window with its colour after timeoutInterval ms without user input and
// hides on the next input, which it swallows. It stays where its document puts it, as on the
// board: only in the window's popup overlay does it cover popups and drawers.
Rectangle {
    id: root

    property int timeoutInterval: 0
    readonly property bool _armed: enabled && timeoutInterval > 0

    function reset() {
        root.visible = false
        root._restartCountdown()
    }

    function _restartCountdown() {
        if (root._armed)
            _countdown.restart()
        else
            _countdown.stop()
    }

    objectName: "screenSaver"
    color: "black"
    visible: false
    anchors.fill: parent

    on_ArmedChanged: {
        if (!root._armed)
            root.visible = false
        root._restartCountdown()
    }
    onTimeoutIntervalChanged: {
        if (!root.visible)
            root._restartCountdown()
    }
    Component.onCompleted: root._restartCountdown()

    Timer {
        id: _countdown

        interval: Math.max(1, root.timeoutInterval)
        onTriggered: {
            if (root._armed)
                root.visible = true
        }
    }

    ActivityWatcher {
        window: root.Window.window
        swallowInput: root.visible
        onActivity: root.reset()
    }

    // Touches that reach the cover directly (for example from a window of its own) stop here too.
    MouseArea {
        anchors.fill: parent
        enabled: root.visible
    }
}
