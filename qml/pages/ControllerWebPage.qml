import QtQuick 2.12
import QtWebEngine 1.8
import Zel.Gui 1.0
import "../elements"

// The chosen controller's web interface over the whole window. Nothing is kept between runs,
// every certificate is accepted (controllers serve self-signed ones), the engine's context
// menu is replaced by one that leads back to the controller list, and a loading badge covers
// the view while a page loads. Its address is its `url`, set by the main window; what happens
// to the page after a crash, a failed load and while the keyboard is up is WebPageKeeper's.
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

    property int restartDelay: 1000
    property int restartLimit: 3
    property int restartWindow: 60000

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

    opacity: root.obscured ? 0 : 1
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
        paused: root.covered || root.menuOpen || Qt.inputMethod.visible
        linkUp: root.linkUp
        interval: root.recoveryInterval
        restartDelay: root.restartDelay
        restartLimit: root.restartLimit
        restartWindow: root.restartWindow
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
        visible: root.loading
        color: ZelStyle.ui.baseColor

        // Made only while it can be seen: a hidden indicator may go on turning.
        Loader {
            anchors.centerIn: parent
            active: root.loading && !root.obscured
            source: "../elements/LoadingBadge.qml"
        }
    }

    // A dead page takes no touch and opens no menu: while its restart waits, the way back to
    // the list is here.
    Rectangle {
        objectName: "deadPageCover"
        anchors.fill: parent
        z: 2
        visible: _keeper.restartPending
        color: ZelStyle.ui.baseColor

        Loader {
            anchors.centerIn: parent
            active: parent.visible
            source: "../elements/DeadPageNotice.qml"
            onLoaded: item.openControllerList.connect(root.openControllerList)
        }
    }
}
