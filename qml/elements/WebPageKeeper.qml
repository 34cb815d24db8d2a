import QtQuick 2.12
import QtQuick.Window 2.12
import QtWebEngine 1.8
import ControllerSelect 1.0

// Keeps the chosen controller's page usable without anyone at the display, and while someone
// types into it. Every signal of the view that this needs is taken here.
// - The address: the one the window gives it (`address`, set with the view's `url`); a link
//   followed inside the page or a server's redirect does not change it. (Qt 5.12 reports a
//   redirect as another typed navigation, so the engine's navigation types cannot tell.)
// - A render process that dies abnormally is restarted on that address after restartDelay ms;
//   at most restartLimit restarts within restartWindow ms, later ones wait until the oldest has
//   left the window. An address set after the death, or a page that loaded after it, has its
//   own render process: the restart is then dropped.
// - A failed load of that address's server (a network error, or its 5xx answer as while it
//   boots, whether the engine reports that load as failed or, up to 5.15.2, succeeded) is reloaded
//   once the server answers a check: every `interval` ms, doubled after each reload that fails
//   again up to maxInterval, back to `interval` after a good load, and at once when the link
//   comes up. Nothing is checked or reloaded while `paused`.
// - A page that does not answer a script round trip for hangTimeout ms while `probing` (its
//   script loops, its render process alive and deaf) is `hung` and gets a new render process,
//   with the same bounds as a restart. Without its pid (Qt 5.12 has none) only the engine can
//   replace it: a typed navigation to another site goes to a new render process, and the deaf
//   one is ended. That site is loopback's port 1, which the engine refuses itself (an unsafe
//   port): nothing goes out. The address is loaded from there.
// - While the keyboard is up over the view, keyboardOverlap is how much of the view's parent
//   it covers (the page shrinks by it), and the focused element is scrolled into sight.
Item {
    id: root

    property var view: null
    property string address: ""
    property bool paused: false
    property bool linkUp: false
    property int interval: 10000
    property int maxInterval: 300000
    property int restartDelay: 1000
    property int restartLimit: 3
    property int restartWindow: 60000
    property bool probing: false
    property int probeInterval: 5000
    property int hangTimeout: 15000

    readonly property bool hung: _hung
    // The chosen server's failure that the page shows: its HTTP status, or the engine's
    // (negative) network error.
    readonly property bool failedLoad: _failedUrl !== ""
    readonly property int failureCode: _failureCode
    readonly property double nextTryAt: _nextTryAt

    readonly property bool restartPending: _restartTimer.running
    readonly property real keyboardOverlap: view && view.activeFocus && Qt.inputMethod.visible
                                            ? _overlap(Qt.inputMethod.keyboardRectangle) : 0

    property var _restartTimes: []
    // The address of the failed load waiting for its server; empty when none is.
    property string _failedUrl: ""
    // Failed loads of the chosen server since its last good load.
    property int _failures: 0
    // The link came up while a check was on its way: that one may have gone out without it.
    property bool _checkAgain: false
    property var _watchedView: null
    property int _failureCode: 0
    property double _nextTryAt: 0
    property bool _hung: false
    // Probes answered after a newer one was sent, or after the page changed, are not counted.
    property int _probeSerial: 0
    // The page that takes the view to a new render process, and what loads after it.
    property string _switchPage: ""
    property string _afterSwitch: ""

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

    // A person's "try now": the page is loaded again at once.
    function tryNow() {
        if (_failedUrl !== "")
            view.reload();
    }

    function _probe() {
        var serial = ++_probeSerial;
        var sent = Date.now();
        _hangTimer.restart();
        view.runJavaScript("1", WebEngineScript.ApplicationWorld, function () {
            if (serial !== root._probeSerial)
                return;
            _hangTimer.stop();
            console.debug(_probeLog, "page answered in " + (Date.now() - sent) + " ms");
        });
    }

    // What the page did since the last probe was sent answers for it: a navigation or a death
    // drops the engine's pending answers.
    function _forgetProbe() {
        ++_probeSerial;
        _hangTimer.stop();
    }

    function _hangDetected() {
        _forgetProbe();
        console.warn(_probeLog, "The page has not answered for " + hangTimeout
                     + " ms: it gets a new render process (" + view.url + ")");
        _hung = true;
        _afterSwitch = address !== "" ? address : view.url.toString();
        // Another site than the deaf page's, whatever that is.
        _switchPage = /^[a-z]+:\/\/localhost([:\/]|$)/i.test(_afterSwitch) ? "http://127.0.0.1:1/"
                                                                         : "http://localhost:1/";
        _failedUrl = "";
        _scheduleRestart();
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
        if (_hung)
            view.url = _switchPage;
        else if (address === "")
            view.reload();
        else
            view.url = address;
    }

    function _loadingChanged(loadRequest) {
        var status = loadRequest.status;
        _forgetProbe();
        if (loadRequest.url.toString() === _switchPage && _afterSwitch !== "") {
            if (status !== WebEngineView.LoadStartedStatus) {
                var next = _afterSwitch;
                _afterSwitch = "";
                view.url = next;
            }
            return;
        }
        if (status === WebEngineView.LoadStartedStatus)
            _hung = false;
        var ours = _check.serves(loadRequest.url);
        // Decided by the code, not the domain: an HTTP status is positive and is the server's
        // own answer, not worth reloading unless it says it is not ready (5xx, as while it
        // boots); the engine's network errors are negative, and it files its empty, truncated
        // and invalid responses under the HTTP domain. Up to Qt 5.15.2 a page with an HTTP
        // error status and a body is reported as a succeeded load with the status as its code.
        var code = loadRequest.errorCode;
        var notReady = code >= 500 || (status === WebEngineView.LoadFailedStatus && code <= 0);
        var failed = ours && notReady && (status === WebEngineView.LoadFailedStatus
                                          || status === WebEngineView.LoadSucceededStatus);
        if (status === WebEngineView.LoadSucceededStatus) {
            _restartTimer.stop();
            if (ours && !failed)
                _failures = 0;
        }
        if (failed)
            _failures += 1;
        _failureCode = failed ? code : 0;
        _failedUrl = failed ? loadRequest.url.toString() : "";
    }

    function _renderProcessTerminated(terminationStatus) {
        _forgetProbe();
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
        var signals = ["loadingChanged", "renderProcessTerminated"];
        for (var i = 0; i < signals.length; ++i) {
            var handler = root["_" + signals[i]];
            if (_watchedView)
                _watchedView[signals[i]].disconnect(handler);
            if (view)
                view[signals[i]].connect(handler);
        }
        _watchedView = view;
    }

    // A new address loads in a render process of its own.
    onAddressChanged: {
        _restartTimer.stop();
        _hung = false;
        _afterSwitch = "";
    }
    onProbingChanged: _forgetProbe()
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
        address: Address.authority(root.address)
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
        onRunningChanged: root._nextTryAt = running ? Date.now() + interval : 0
        onIntervalChanged: root._nextTryAt = running ? Date.now() + interval : 0
        onTriggered: {
            root._nextTryAt = Date.now() + interval;
            root._checkNow();
        }
    }

    Timer {
        objectName: "probeTimer"
        interval: root.probeInterval
        repeat: true
        running: root.probing && root.view !== null && !root._hung && !_hangTimer.running
                 && !_restartTimer.running && root.view.url.toString() !== ""
        onTriggered: root._probe()
    }

    // Each probe's round trip at debug level (QT_LOGGING_RULES="page.probe.debug=true"), what
    // tells how far a live page stays from the bound; a page taken for hung is a warning.
    LoggingCategory {
        id: _probeLog

        name: "page.probe"
        defaultLogLevel: LoggingCategory.Warning
    }

    Timer {
        id: _hangTimer

        objectName: "hangTimer"
        interval: root.hangTimeout
        onTriggered: root._hangDetected()
    }

    Timer {
        id: _restartTimer

        objectName: "restartTimer"
        onTriggered: root._restart()
    }
}
