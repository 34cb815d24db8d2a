import QtQuick 2.12

// What the display shows at start, and the retry after a power cut. start() shows the stored
// controller when the link is up and the controller answers, and otherwise opens the list and
// searches. A stored controller that did not answer is tried again a minute later, or as soon
// as the link changes, until it answers: for an unattended display whose controller is still
// booting. A person at the display ends the retry for good; a choice ends it too.
QtObject {
    id: root

    property bool linkUp: false
    property string storedController: ""
    // The availability check: checkControllerAvailable(address) is false when it does not answer.
    property QtObject availability: null
    property int retryInterval: 60000
    readonly property bool retrying: _retryAddress !== ""

    // Kept here while the stored choice is cleared, until it answers or the retry ends.
    property string _retryAddress: ""
    property bool _personSeen: false
    property Timer _retryTimer: Timer {
        interval: root.retryInterval
        onTriggered: root._retryNow()
    }

    signal showController(string address)
    signal openListAndSearch()

    function start() {
        var address = root.storedController
        if (address !== "" && root._available(address)) {
            root.showController(address)
            return
        }
        root.openListAndSearch()
        if (address !== "" && !root._personSeen) {
            root._retryAddress = address
            root._retryTimer.start()
        }
    }

    // A person is at the display: no retry from now on, not even one whose check is running.
    function personUsedDisplay() {
        root._personSeen = true
        root.stopRetry()
    }

    function stopRetry() {
        root._retryAddress = ""
        root._retryTimer.stop()
    }

    // Only a real false means "does not answer"; without a link nothing is asked.
    function _available(address) {
        return root.linkUp && root.availability.checkControllerAvailable(address) !== false
    }

    // The check blocks while events are still handled: a person or a choice may end the retry
    // meanwhile, and then its answer no longer counts.
    function _retryNow() {
        var address = root._retryAddress
        if (address === "" || root._personSeen)
            return
        var available = root._available(address)
        if (root._retryAddress !== address)
            return
        if (!available) {
            root._retryTimer.start()
            return
        }
        root.stopRetry()
        root.showController(address)
    }

    // Runs after the network manager's notification has returned: by then a person may have
    // taken over.
    onLinkUpChanged: {
        if (!root._retryTimer.running)
            return
        root._retryTimer.stop()
        Qt.callLater(root._retryNow)
    }
}
