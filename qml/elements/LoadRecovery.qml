import QtQuick 2.12
import QtWebEngine 1.8
import ControllerSelect 1.0

// Brings a controller's page back by itself after its web server went away for a while (a
// reboot, a firmware update): while the view shows the engine's error page for a load from that
// server, the server is checked every `interval` ms, and at once when the link comes up; when it
// answers, the view reloads. The error page stays until then. It never leads anywhere else, and
// any other load (a person's navigation, a new address) ends it.
Item {
    id: root

    // The view whose loads are watched and reloaded.
    property var view: null
    // The chosen controller's address; failed loads from other servers are left alone.
    property string address: ""
    // While true (the page is covered or in a person's hands) nothing is checked or reloaded.
    property bool paused: false
    property bool linkUp: false
    property int interval: 10000

    // The address of the failed load waiting for its server; empty when none is.
    property string _failedUrl: ""
    // The link came up while a check was on its way: that one may have gone out without it.
    property bool _checkAgain: false

    function _checkNow() {
        if (root._failedUrl !== "" && !root.paused)
            _check.start()
    }

    onLinkUpChanged: {
        if (!root.linkUp)
            return
        root._checkAgain = _check.running
        root._checkNow()
    }

    // Connected by hand: the handler form of Connections that both Qt 5.12 and 5.15 accept
    // without a warning does not exist.
    property var _watchedView: null

    function _loadingChanged(loadRequest) {
        // An HTTP error page is the server's own answer: reloading it would not mend anything.
        if (loadRequest.status === WebEngineView.LoadFailedStatus)
            root._failedUrl = loadRequest.errorDomain !== WebEngineView.HttpErrorDomain
                    && _check.serves(loadRequest.url) ? loadRequest.url.toString() : ""
        else
            root._failedUrl = ""
    }

    // A dead render process has a recovery of its own.
    function _renderProcessTerminated() {
        root._failedUrl = ""
    }

    function _watch() {
        if (root._watchedView) {
            root._watchedView.loadingChanged.disconnect(root._loadingChanged)
            root._watchedView.renderProcessTerminated.disconnect(root._renderProcessTerminated)
        }
        root._watchedView = root.view
        if (root.view) {
            root.view.loadingChanged.connect(root._loadingChanged)
            root.view.renderProcessTerminated.connect(root._renderProcessTerminated)
        }
    }

    onViewChanged: root._watch()
    Component.onCompleted: root._watch()

    WebServerCheck {
        id: _check

        objectName: "webServerCheck"
        address: root.address
        onFinished: {
            var again = root._checkAgain
            root._checkAgain = false
            if (available && root._failedUrl !== "" && !root.paused) {
                root._failedUrl = ""
                root.view.reload()
            } else if (again) {
                root._checkNow()
            }
        }
    }

    Timer {
        objectName: "recoveryTimer"
        interval: root.interval
        repeat: true
        running: root._failedUrl !== "" && !root.paused
        onTriggered: root._checkNow()
    }
}
