import QtQuick 2.12
import ControllerSelect 1.0
import Zel.BSP 1.0
import Zel.Gui 1.0
import Zel.System 1.0
import Zel.VirtualKeyboard 1.0
import "elements"
import "pages"

// The whole user interface: the chosen controller's web page, the drawer with the controller
// list over it, the keyboard, the screen saver and the splash screen. At start it shows the
// stored controller if it answers, and otherwise opens the list and searches.
DeviceWindow {
    id: mainWindow

    // The stored controller that did not answer at start: kept here (the stored choice is
    // cleared) and tried again until it answers or a person uses the display.
    property string _retryAddress: ""
    // Set for good by the first input that reaches the UI (a touch on the list or its pages,
    // the keyboard, a search, a choice). The retry is for an unattended display after a power
    // cut: it must never take the screen away from a person at it.
    property bool _personSeen: false
    // The keys that share the function keys' face follow it through this one value: a binding
    // inside the style group to another of its keys would loop.
    readonly property color _functionKeyBackgroundColor: globalStyle.ui.customColor1

    // The start-up decision. It also runs again for a stored controller that did not answer.
    function init() {
        splash.appReady = true
        drawer.visible = true
        var retryAddress = mainWindow._retryAddress
        var reachable = NetworkManager.ethernetConnected
                && (retryAddress === "" ? $Controller.checkLastControllerAvailable()
                                        : $Controller.checkControllerAvailable(retryAddress))
        if (retryAddress !== "")
            mainWindow._finishRetry(retryAddress, reachable)
        else if (reachable === false)
            mainWindow._openListAndSearch()
        else
            mainWindow._showStoredController()
    }

    function _openListAndSearch() {
        var stored = $Controller.lastController
        $Controller.lastController = ""
        drawer.open()
        $ControllerListModel.update()
        if (stored !== "" && !mainWindow._personSeen) {
            mainWindow._retryAddress = stored
            initTimer.start()
        }
    }

    function _showStoredController() {
        drawer.close()
        controllerWebPage.url = "http://" + $Controller.lastController
    }

    // A retry leaves the list and any running search alone; it gives up when a person has used
    // the display meanwhile (even during the check itself).
    function _finishRetry(address, reachable) {
        if (mainWindow._retryAddress !== address)
            return
        if (reachable === false)
            initTimer.start()
        else
            mainWindow._showChosenController(address)
    }

    // A person is at the display: no retry from now on, not even one whose check is running.
    function _personUsedDisplay() {
        mainWindow._personSeen = true
        mainWindow._retryAddress = ""
        initTimer.stop()
    }

    // A retry, when the minute is over or the link has changed (then only after the network
    // manager's notification has returned): by then a person may have taken over.
    function _retryNow() {
        if (mainWindow._retryAddress !== "" && !mainWindow._personSeen)
            mainWindow.init()
    }

    // Stores the choice for the next start and shows it; any retry is over.
    function _showChosenController(address) {
        mainWindow._retryAddress = ""
        initTimer.stop()
        $Controller.lastController = address
        controllerWebPage.url = "http://" + address
        drawer.close()
    }

    color: "white"

    Component.onCompleted: {
        VirtualKeyboardSettings.layoutPath = "qrc:/qml/keyboard/layouts"
        VirtualKeyboardSettings.stylePath = "qrc:/qml/keyboard/style"
        mainWindow.init()
    }

    ZelStyleGlobal {
        id: globalStyle

        ui.primaryColor: "#008440"
        ui.secondaryColor: "#E6E6E6"
        ui.baseColor: Qt.rgba(1, 1, 1, 1)
        ui.textColor: "#3E3E3E"
        ui.selectionColor: "darkGrey"
        ui.fontFamily: "Lato"
        ui.dimmedBackgroundColor: Qt.rgba(0, 0, 0, 0.5)
        ui.customColor1: "#E6E6E6"
        ui.customColor2: "#96D5AD"
        ui.customColor3: "#77B08B"
        ui.customColor4: "#C8C8C8"

        usability.longPressInterval: 1000

        virtualkeyboard.displayLanguageNameOnSpaceKey: false
        virtualkeyboard.heightRatio: /[34]/.test($ZelGui.envVar("ZEL_DEVICE_TYPE")) ? 0.6 : undefined
        virtualkeyboard.fontFamily: globalStyle.ui.fontFamily
        virtualkeyboard.panelBackgroundColor: "white"
        virtualkeyboard.keyBackgroundColor: "white"
        virtualkeyboard.functionKeyFontColor: globalStyle.ui.textColor
        virtualkeyboard.functionKeyBackgroundColor: mainWindow._functionKeyBackgroundColor
        virtualkeyboard.spaceKeyBackgroundColor: mainWindow._functionKeyBackgroundColor
        virtualkeyboard.previewKeyBackgroundColor: mainWindow._functionKeyBackgroundColor
        virtualkeyboard.alternateKeysBackgroundColor: mainWindow._functionKeyBackgroundColor
        virtualkeyboard.enterKeyBackgroundColor: mainWindow._functionKeyBackgroundColor
        virtualkeyboard.keyFontColor: globalStyle.ui.textColor
        virtualkeyboard.previewKeyFontColor: globalStyle.ui.textColor
        virtualkeyboard.enterKeyFontColor: globalStyle.ui.primaryColor
        virtualkeyboard.functionKeyActiveFontColor: globalStyle.ui.primaryColor
        virtualkeyboard.topRelativeMargin: 0.04
        virtualkeyboard.keyRelativeOutterMargin: 0.1
    }

    KelvoSplashScreen {
        id: splash

        objectName: "splash"
        parent: mainWindow.overlay
        z: 10000
    }

    ControllerWebPage {
        id: controllerWebPage

        objectName: "controllerWebPage"
        anchors.fill: parent
        controllerAddress: $Controller.lastController
        covered: drawer.position > 0
        linkUp: NetworkManager.ethernetConnected

        onOpenControllerList: drawer.open()
    }

    TopDrawer {
        id: drawer

        objectName: "drawer"
        visible: false

        onPositionChanged: {
            if (drawer.position === 0)
                controllerListPage.popToInitialItem()
        }

        ControllerListPage {
            id: controllerListPage

            objectName: "controllerListPage"
            anchors.fill: parent
            anchors.margins: 3 * ZelStyle.ui.contentMargin

            onDisplayController: mainWindow._showChosenController(address)
        }
    }

    DeviceContainer {
        objectName: "keyboardContainer"
        parent: mainWindow.overlay
        z: drawer.z + 1000

        InputPanel {
            objectName: "inputPanel"
            anchors.fill: parent
            animationType: VirtualKeyboard.SlideAnimation
        }
    }

    ScreenSaver {
        id: screenSaver

        objectName: "screenSaver"
        z: drawer.z + 2000
        color: "black"
        timeoutInterval: $Controller.displayTimeout * 1000
        enabled: timeoutInterval > 0

        onTimeoutIntervalChanged: {
            if (screenSaver.timeoutInterval !== 0)
                screenSaver.reset()
        }
        onVisibleChanged: Display.brightness = screenSaver.visible ? 0 : 100
    }

    // Tries the stored controller again a minute after it did not answer, or as soon as the
    // Ethernet link changes meanwhile.
    Timer {
        id: initTimer

        objectName: "initTimer"
        interval: 60000
        onTriggered: mainWindow._retryNow()
    }

    Connections {
        target: NetworkManager

        function onEthernetConnectedChanged() {
            if (!initTimer.running)
                return
            initTimer.stop()
            Qt.callLater(mainWindow._retryNow)
        }
    }

    // Input that wakes the screen saver is swallowed by it and reaches nothing: that is not
    // yet a use of the display.
    InputActivity {
        onInputStarted: {
            if (!screenSaver.visible)
                mainWindow._personUsedDisplay()
        }
    }
}
