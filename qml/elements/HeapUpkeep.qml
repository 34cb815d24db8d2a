import QtQuick 2.12
import ControllerSelect 1.0

// Now and then gives the memory that the web engine has freed back to the system, but only
// while nobody uses the display: while the screen saver is on, or once there has been no input
// for `idleTime` ms; never while `busy` (a page loading, the keyboard up, the drawer open, a
// dialog or menu showing). A page that reloads itself every few seconds would otherwise grow
// the process, load after load, for as long as the display runs.
Item {
    id: root

    property bool screenSaverOn: false
    property bool busy: false
    property int idleTime: 1800000
    property int interval: 600000

    readonly property bool idle: root.screenSaverOn || root._noInput
    property bool _noInput: false
    // An interval of idleness has passed: the trim waits for the next moment nothing is busy
    // (a page that reloads itself every few seconds is rarely not loading).
    property bool _due: false

    signal trimmed()

    function _trimIfDue() {
        if (root._due && root.idle && !root.busy) {
            root._due = false
            _heap.trim()
        }
    }

    onBusyChanged: root._trimIfDue()
    onIdleChanged: root._due = false

    InputActivity {
        onInputStarted: {
            root._noInput = false
            _idleTimer.restart()
        }
    }

    Timer {
        id: _idleTimer

        interval: root.idleTime
        running: true
        onTriggered: root._noInput = true
    }

    Timer {
        objectName: "upkeepTimer"
        interval: root.interval
        repeat: true
        running: root.idle
        onTriggered: {
            root._due = true
            root._trimIfDue()
        }
    }

    HeapTrim {
        id: _heap

        onTrimmed: root.trimmed()
    }
}
