import QtQuick 2.12
import QtQuick.Controls 2.12
import QtWebEngine 1.8
import Zel.Gui 1.0
import "../elements"

// The chosen controller's web interface over the whole window. Nothing is kept between runs,
// every certificate is accepted (controllers serve self-signed ones), the engine's context
// menu is replaced by one that leads back to the controller list, and a loading badge covers
// the view while a page loads.
WebEngineView {
    id: root

    property bool debugOutputEnabled: false

    // The chosen controller's address. A load of its page that failed because its web server
    // was away is reloaded once the server answers again (checked every recoveryInterval ms, and
    // when the link comes up), but never while the page is covered or its menu is open.
    property string controllerAddress: ""
    property bool covered: false
    property bool linkUp: false
    property int recoveryInterval: 10000

    // A render process that dies abnormally is brought back by reloading the address after
    // restartDelay ms; at most restartLimit restarts within restartWindow ms, after that the
    // next one waits until the oldest restart has left the window.
    property int restartDelay: 1000
    property int restartLimit: 3
    property int restartWindow: 60000

    property var _restartTimes: []
    property url _shownUrl
    // The address at the render process's death: a different one by the time the restart is
    // due was set after the death (by the main window) and is loading in a new render process.
    property url _deadUrl

    signal openControllerList()

    function _certificateErrorName(code) {
        var names = {};
        names[WebEngineCertificateError.SslPinnedKeyNotInCertificateChain] = "SslPinnedKeyNotInCertificateChain";
        names[WebEngineCertificateError.CertificateCommonNameInvalid] = "CertificateCommonNameInvalid";
        names[WebEngineCertificateError.CertificateDateInvalid] = "CertificateDateInvalid";
        names[WebEngineCertificateError.CertificateAuthorityInvalid] = "CertificateAuthorityInvalid";
        names[WebEngineCertificateError.CertificateContainsErrors] = "CertificateContainsErrors";
        names[WebEngineCertificateError.CertificateNoRevocationMechanism] = "CertificateNoRevocationMechanism";
        names[WebEngineCertificateError.CertificateUnableToCheckRevocation] = "CertificateUnableToCheckRevocation";
        names[WebEngineCertificateError.CertificateRevoked] = "CertificateRevoked";
        names[WebEngineCertificateError.CertificateInvalid] = "CertificateInvalid";
        names[WebEngineCertificateError.CertificateWeakSignatureAlgorithm] = "CertificateWeakSignatureAlgorithm";
        names[WebEngineCertificateError.CertificateNonUniqueName] = "CertificateNonUniqueName";
        names[WebEngineCertificateError.CertificateWeakKey] = "CertificateWeakKey";
        names[WebEngineCertificateError.CertificateNameConstraintViolation] = "CertificateNameConstraintViolation";
        names[WebEngineCertificateError.CertificateValidityTooLong] = "CertificateValidityTooLong";
        names[WebEngineCertificateError.CertificateTransparencyRequired] = "CertificateTransparencyRequired";
        return names.hasOwnProperty(code) ? names[code] : "";
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
        var current = url.toString();
        var shown = _shownUrl.toString();
        // An address set after the death wins: it is the newer choice, and its load has
        // already brought up a render process of its own.
        if (current !== _deadUrl.toString() && current !== shown)
            return;
        _restartTimes = _restartTimes.concat([Date.now()]);
        // Go back to the last page that was shown: the address that killed the renderer may
        // have become the view's address, and loading it again would kill it again.
        if (shown === "" || shown === current)
            reload();
        else
            url = _shownUrl;
    }

    profile: WebEngineProfile {
        httpCacheType: WebEngineProfile.NoCache
        persistentCookiesPolicy: WebEngineProfile.NoPersistentCookies
    }
    settings.focusOnNavigationEnabled: false

    onCertificateError: {
        if (debugOutputEnabled)
            console.log("WebView CertificateError: " + _certificateErrorName(error.error) + " ("
                        + error.url + ") , " + error.description);
        error.ignoreCertificateError();
    }

    onJavaScriptConsoleMessage: {
        if (debugOutputEnabled)
            console.log("WebView JS message: " + message + ", " + lineNumber + ", " + sourceID);
    }

    onContextMenuRequested: {
        request.accepted = true;
        _menu.popup(request.x, request.y);
    }

    onLoadingChanged: {
        if (loadRequest.status === WebEngineView.LoadSucceededStatus)
            _shownUrl = loadRequest.url;
    }

    onRenderProcessTerminated: {
        if (terminationStatus !== WebEngineView.NormalTerminationStatus) {
            _deadUrl = url;
            _scheduleRestart();
        }
    }

    Timer {
        id: _restartTimer

        objectName: "restartTimer"
        onTriggered: root._restart()
    }

    LoadRecovery {
        objectName: "loadRecovery"
        view: root
        address: root.controllerAddress
        paused: root.covered || _menu.visible
        linkUp: root.linkUp
        interval: root.recoveryInterval
    }

    Menu {
        id: _menu

        objectName: "webContextMenu"
        width: 350

        MenuItem {
            objectName: "openControllerListItem"
            text: qsTr("Open controller list")
            icon.source: "qrc:/assets/cog.svg"
            onTriggered: root.openControllerList()
        }

        MenuSeparator {}

        MenuItem {
            readonly property var webAction: root.action(WebEngineView.Back)

            objectName: "backItem"
            text: webAction.text
            enabled: webAction.enabled
            icon.name: webAction.iconName
            onTriggered: webAction.trigger()
        }

        MenuItem {
            readonly property var webAction: root.action(WebEngineView.Forward)

            objectName: "forwardItem"
            text: webAction.text
            enabled: webAction.enabled
            icon.name: webAction.iconName
            onTriggered: webAction.trigger()
        }

        MenuItem {
            readonly property var webAction: root.action(WebEngineView.Reload)

            objectName: "reloadItem"
            text: webAction.text
            enabled: webAction.enabled
            icon.name: webAction.iconName
            onTriggered: webAction.trigger()
        }
    }

    Rectangle {
        objectName: "loadingCover"
        anchors.fill: parent
        z: 1
        visible: root.loading
        color: ZelStyle.ui.baseColor

        Rectangle {
            objectName: "loadingBadge"
            anchors.centerIn: parent
            width: 120
            height: 120
            radius: 0.2 * height
            color: ZelStyle.ui.secondaryColor

            LoadingIndicator {
                objectName: "loadingIndicator"
                anchors.centerIn: parent
                size: 0.6 * 120
                indeterminated: true
                colorCircle: ZelStyle.ui.primaryColor
            }
        }
    }
}
