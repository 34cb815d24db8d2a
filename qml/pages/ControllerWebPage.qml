import QtQuick 2.12
import QtQuick.Controls 2.12
import QtWebEngine 1.8
import Zel.Gui 1.0
import "../elements"

// The chosen controller's web interface over the whole window. Nothing is kept between runs,
// every certificate is accepted (controllers serve self-signed ones), the engine's context
// menu is replaced by one that leads back to the controller list, and a loading badge covers
// the view while a page loads. Its `address` and `url` are set by the main window; what happens
// to the page after a crash, a failed load and while the keyboard is up is WebPageKeeper's.
// What the page asks of a person (its dialogs, a login) is answered in the display's own
// dialogs; nothing it does leaves the kiosk: no second window, no file saved or opened, no
// other program started, and the person is told so.
WebEngineView {
    id: root

    property bool debugOutputEnabled: false

    // While covered (by the drawer) the page is not reloaded by itself.
    property bool covered: false
    property bool linkUp: false
    property int recoveryInterval: 10000
    // Something opaque lies over the whole page (the start-up splash): the page and its loading
    // cover are not drawn then, as nobody could see them. A display without a GPU would otherwise
    // redraw the window for each frame of the starting page and each turn of the indicator.
    property bool obscured: false
    readonly property bool menuOpen: _menu.item !== null && _menu.item.visible
    readonly property bool dialogOpen: _dialogs.dialogOpen
    // Where the page's dialogs and notices go: above the page and the drawer, under the
    // keyboard, which the window's overlay holds at z 1000.
    property Item dialogParent: root.Overlay.overlay
    property real dialogZ: ZelStyle.z.popup + 1
    // Where the pull of the drawer starts, which no dialog of the page may cover.
    property int freeEdge: Qt.TopEdge
    property real freeEdgeWidth: $ZelGui.sp(10)

    property int restartDelay: 1000
    property int restartLimit: 3
    property int restartWindow: 60000
    // A page is asked for a sign of life only while the screen is on.
    property bool screenOn: true
    property int hangTimeout: 15000
    // A load that has not ended by then shows the page as it is: a camera picture that
    // streams or a long poll never ends loading.
    property int coverLimit: 10000
    readonly property bool hung: _keeper.hung

    // The controller's address as the window chose it (set with `url`): what a restart or a
    // recovery loads, wherever the page has since navigated or been redirected.
    property alias address: _keeper.address

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

    // What the engine handles itself; any other scheme would be handed to a launcher.
    function _isWebScheme(url) {
        var scheme = /^([a-z][a-z0-9+.\-]*):/i.exec(url.toString());
        var own = ["http", "https", "about", "data", "blob", "javascript"];
        return scheme !== null && own.indexOf(scheme[1].toLowerCase()) >= 0;
    }

    opacity: root.obscured ? 0 : 1
    profile: WebEngineProfile {
        httpCacheType: WebEngineProfile.NoCache
        persistentCookiesPolicy: WebEngineProfile.NoPersistentCookies

        onDownloadRequested: {
            download.cancel();
            _dialogs.notify(qsTr("This display does not save files."));
        }
    }
    settings.focusOnNavigationEnabled: false
    // The engine (5.12 as 5.15) asks the view about a link to another program only where this
    // policy lets it through, for a tap; the view refuses it there, before any launcher is
    // asked, and says so. One that the page follows by itself the engine drops unseen.
    settings.unknownUrlSchemePolicy: WebEngineSettings.AllowUnknownUrlSchemesFromUserInteraction

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

    onJavaScriptDialogRequested: _dialogs.showScriptDialog(request)
    onAuthenticationDialogRequested: _dialogs.showLogin(request)

    // The engine's own pickers would browse the board's files (or fail to load): none opens.
    onFileDialogRequested: {
        request.accepted = true;
        request.dialogReject();
        _dialogs.notify(qsTr("This display does not open files."));
    }
    onColorDialogRequested: {
        request.accepted = true;
        request.dialogReject();
        _dialogs.notify(qsTr("This display has no colour picker."));
    }

    // The display has one screen: a window that a tap asks for loads here, after the page
    // that asked, so Back returns to it. Loaded as the page's own navigation, it is not a new
    // address of the window's. A window a page opens by itself is refused, as popup blockers do.
    onNewViewRequested: {
        var url = request.requestedUrl.toString();
        if (request.userInitiated && /^https?:/i.test(url))
            root.runJavaScript("window.location.assign(" + JSON.stringify(url) + ")",
                               WebEngineScript.ApplicationWorld);
    }

    onNavigationRequested: {
        if (!_isWebScheme(request.url)) {
            request.action = WebEngineView.IgnoreRequest;
            _dialogs.notify(qsTr("This display does not start other programs."));
        }
    }

    onLoadingChanged: {
        if (loadRequest.status === WebEngineView.LoadStartedStatus) {
            _dialogs.pageChanged(false);
            _coverTimer.restart();
        }
    }
    onRenderProcessTerminated: _dialogs.pageChanged(true)

    onContextMenuRequested: {
        request.accepted = true;
        if (!_menu.item)
            _menu.setSource("../elements/WebContextMenu.qml",
                            { objectName: "webContextMenu", view: root });
        _menu.item.popup(request.x, request.y);
    }

    // The keyboard takes the bottom of the window: the page ends at its top.
    anchors.bottomMargin: _keeper.keyboardOverlap

    WebPageKeeper {
        id: _keeper

        objectName: "pageKeeper"
        view: root
        paused: root.covered || root.menuOpen || root.dialogOpen || Qt.inputMethod.visible
        linkUp: root.linkUp
        interval: root.recoveryInterval
        restartDelay: root.restartDelay
        restartLimit: root.restartLimit
        restartWindow: root.restartWindow
        // A page's script waits while its dialog is up: that is no hang.
        probing: root.screenOn && !root.dialogOpen
        hangTimeout: root.hangTimeout
    }

    Timer {
        id: _coverTimer

        interval: root.coverLimit
    }

    // Made on the first request, and its document loaded only then: the start has better
    // things to do.
    Loader {
        id: _menu

        onLoaded: _menu.item.openControllerList.connect(root.openControllerList)
    }

    Rectangle {
        objectName: "loadingCover"
        anchors.fill: parent
        z: 1
        visible: root.loading && _coverTimer.running
        color: ZelStyle.ui.baseColor

        // Made only while it can be seen: a hidden indicator may go on turning.
        Loader {
            anchors.centerIn: parent
            active: root.loading && !root.obscured
            source: "../elements/LoadingBadge.qml"
        }
    }

    // Still loading with the cover down: a small sign in the corner, taking no touch.
    Loader {
        objectName: "stillLoadingSign"
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.margins: ZelStyle.ui.contentMargin
        width: 48
        height: 48
        z: 1
        active: root.loading && !_coverTimer.running && !root.obscured
        sourceComponent: Item {
            LoadingBadge {
                anchors.centerIn: parent
                scale: 0.4
            }
        }
    }

    // Over the lower part of the engine's error page: what went wrong and what comes next.
    Loader {
        id: _failure

        objectName: "loadFailure"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        z: 2
        active: _keeper.failedLoad && !root.loading
        source: "../elements/LoadFailureStrip.qml"
        onLoaded: {
            item.objectName = "loadFailureStrip";
            item.tryNow.connect(_keeper.tryNow);
            item.openControllerList.connect(root.openControllerList);
            item.linkUp = Qt.binding(function () { return root.linkUp; });
            item.code = Qt.binding(function () { return _keeper.failureCode; });
            item.nextTryAt = Qt.binding(function () { return _keeper.nextTryAt; });
        }
    }

    // A dead or deaf page takes no touch and opens no menu: while its restart waits, the way
    // back to the list is here.
    Rectangle {
        objectName: "deadPageCover"
        anchors.fill: parent
        z: 3
        visible: _keeper.restartPending || _keeper.hung
        color: ZelStyle.ui.baseColor

        Loader {
            anchors.centerIn: parent
            active: parent.visible
            source: "../elements/DeadPageNotice.qml"
            onLoaded: {
                item.openControllerList.connect(root.openControllerList);
                item.hung = Qt.binding(function () { return _keeper.hung; });
            }
        }
    }

    WebDialogs {
        id: _dialogs

        objectName: "webDialogs"
        parent: root.dialogParent
        anchors.fill: parent
        z: root.dialogZ
        freeEdge: root.freeEdge
        freeEdgeWidth: root.freeEdgeWidth
    }
}
