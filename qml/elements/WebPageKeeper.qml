import QtQuick 2.12
import QtQuick.Window 2.12
import QtWebEngine 1.8
import ControllerSelect 1.0

// Keeps the chosen controller's page usable without anyone at the display, and while someone
// types into it. Every signal of the view that this needs is taken here.
// - The address: the last one given to the view from outside (its `url` set by the window); a
//   link followed inside the page does not change it.
// - A render process that dies abnormally is restarted on that address after restartDelay ms;
//   at most restartLimit restarts within restartWindow ms, later ones wait until the oldest has
//   left the window. An address set after the death, or a page that loaded after it, has its
//   own render process: the restart is then dropped.
// - A failed load of that address's server (or its 5xx answer, as while it boots) is reloaded
//   once the server answers a check: every `interval` ms, doubled after each reload that fails
//   again up to maxInterval, back to `interval` after a good load, and at once when the link
//   comes up. Nothing is checked or reloaded while `paused`.
// - While the keyboard is up over the view, keyboardOverlap is how much of the view's parent
//   it covers (the page shrinks by it), and the focused element is scrolled into sight.
Item {
    id: root

    property var view: null
    property bool paused: false
    property bool linkUp: false
    property int interval: 10000
    property int maxInterval: 300000
    property int restartDelay: 1000
    property int restartLimit: 3
    property int restartWindow: 60000

    readonly property bool restartPending: _restartTimer.running
    readonly property real keyboardOverlap: view && view.activeFocus && Qt.inputMethod.visible
                                            ? _overlap(Qt.inputMethod.keyboardRectangle) : 0

    property string _address: ""
    property var _restartTimes: []
    // The address of the failed load waiting for its server; empty when none is.
    property string _failedUrl: ""
    // Failed loads of the chosen server since its last good load.
    property int _failures: 0
    // The link came up while a check was on its way: that one may have gone out without it.
    property bool _checkAgain: false
    property var _watchedView: null

    // How much of the view's parent the keyboard covers; the rectangle is in the coordinates
    // of the focused item, which lies inside the view.
    function _overlap(rectangle) {
        var focused = view.Window.activeFocusItem;
        var area = view.parent;
        if (!focused || !area || rectangle.height <= 0)
            return 0;
        var r = area.mapFromItem(focused, rectangle.x, rectangle.y, rectangle.width,
                                 rectangle.height);
        return Math.max(0, Math.min(area.height, area.height - r.y));
    }

    function _checkNow() {
        if (_failedUrl !== "" && !paused)
            _check.start();
    }

    function _scheduleRestart() {
        var now = Date.now();
        var recent = _restartTimes.filter(function (t) { return now - t < restartWindow; });
        var delay = restartDelay;
        if (recent.length >= restartLimit)
            delay = Math.max(restartDelay, recent[recent.length - restartLimit] + restartWindow - now);
        _restartTimes = recent;
        _restartTimer.interval = delay;
        _restartTimer.restart();
    }

    function _restart() {
        _restartTimes = _restartTimes.concat([Date.now()]);
        if (_address === "")
            view.reload();
        else
            view.url = _address;
    }

    function _navigationRequested(request) {
        if (request.isMainFrame && request.navigationType === WebEngineView.TypedNavigation) {
            _address = request.url.toString();
            // A new address loads in a render process of its own.
            _restartTimer.stop();
        }
    }

    function _loadingChanged(loadRequest) {
        var status = loadRequest.status;
        var ours = _check.serves(loadRequest.url);
        if (status === WebEngineView.LoadSucceededStatus) {
            _restartTimer.stop();
            if (ours)
                _failures = 0;
        }
        // An HTTP error is the server's own answer, not worth reloading, unless the server says
        // it is not ready (5xx). The engine does not always put an HTTP status in the HTTP
        // domain: its code tells (network errors are negative).
        var code = loadRequest.errorCode;
        var answer = loadRequest.errorDomain === WebEngineView.HttpErrorDomain || code > 0;
        var failed = status === WebEngineView.LoadFailedStatus && ours && (!answer || code >= 500);
        if (failed)
            _failures += 1;
        _failedUrl = failed ? loadRequest.url.toString() : "";
    }

    function _renderProcessTerminated(terminationStatus) {
        _failedUrl = "";
        if (terminationStatus !== WebEngineView.NormalTerminationStatus)
            _scheduleRestart();
    }

    function _keyboardOverlapChanged() {
        if (keyboardOverlap <= 0 || !view)
            return;
        // Once the page has its new height, the focused element is brought into its view.
        var height = Math.floor(view.parent.height - keyboardOverlap) / view.zoomFactor;
        view.runJavaScript("(function () { function show() { var e = document.activeElement;"
                           + " if (e && e.scrollIntoViewIfNeeded) e.scrollIntoViewIfNeeded(false); }"
                           + " if (window.innerHeight <= " + Math.ceil(height) + ") show();"
                           + " else window.addEventListener('resize', show, { once: true }); })()");
    }

    function _watch() {
        var signals = ["navigationRequested", "loadingChanged", "renderProcessTerminated"];
        for (var i = 0; i < signals.length; ++i) {
            var handler = root["_" + signals[i]];
            if (_watchedView)
                _watchedView[signals[i]].disconnect(handler);
            if (view)
                view[signals[i]].connect(handler);
        }
        _watchedView = view;
    }

    onKeyboardOverlapChanged: _keyboardOverlapChanged()
    onViewChanged: _watch()
    Component.onCompleted: _watch()
    onLinkUpChanged: {
        if (!linkUp)
            return;
        _checkAgain = _check.running;
        _checkNow();
    }

    WebServerCheck {
        id: _check

        objectName: "webServerCheck"
        address: {
            var match = /^https?:\/\/([^\/?#]+)/i.exec(root._address);
            return match ? match[1] : "";
        }
        onFinished: {
            var again = root._checkAgain;
            root._checkAgain = false;
            if (available && root._failedUrl !== "" && !root.paused) {
                root._failedUrl = "";
                root.view.reload();
            } else if (again) {
                root._checkNow();
            }
        }
    }

    Timer {
        objectName: "recoveryTimer"
        interval: Math.min(root.maxInterval,
                           root.interval * Math.pow(2, Math.max(0, root._failures - 1)))
        repeat: true
        running: root._failedUrl !== "" && !root.paused
        onTriggered: root._checkNow()
    }

    Timer {
        id: _restartTimer

        objectName: "restartTimer"
        onTriggered: root._restart()
    }
}
