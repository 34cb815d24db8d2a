import QtQuick 2.12
import Zel.BSP 1.0
import Zel.Gui 1.0
import Zel.System 1.0
import Zel.VirtualKeyboard 1.0
import "elements"
import "pages"

// The whole user interface: the chosen controller's web page, the drawer with the controller
// list over it, the keyboard, the screen saver and the splash screen, and what is shown at start.
DeviceWindow {
    id: mainWindow

    // The keys that share the function keys' face follow it through this one value: a binding
    // inside the style group to another of its keys would loop.
    readonly property color _functionKeyBackgroundColor: globalStyle.ui.customColor1

    // Stores the choice for the next start and shows it.
    function _showController(address) {
        $Controller.lastController = address
        controllerWebPage.url = "http://" + address
        drawer.close()
    }

    color: "white"

    Component.onCompleted: {
        VirtualKeyboardSettings.layoutPath = "qrc:/qml/keyboard/layouts"
        VirtualKeyboardSettings.stylePath = "qrc:/qml/keyboard/style"
        splash.appReady = true
        drawer.visible = true
        startup.start()
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

            onDisplayController: {
                startup.stopRetry()
                mainWindow._showController(address)
            }
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

    StartupFlow {
        id: startup

        objectName: "startupFlow"
        linkUp: NetworkManager.ethernetConnected
        storedController: $Controller.lastController
        availability: $Controller

        onShowController: mainWindow._showController(address)
        onOpenListAndSearch: {
            $Controller.lastController = ""
            drawer.open()
            $ControllerListModel.update()
        }
    }

    // Input that wakes the screen saver is swallowed by it and reaches nothing: that is not
    // yet a use of the display.
    ActivityWatcher {
        window: mainWindow
        onInputStarted: {
            if (!screenSaver.visible)
                startup.personUsedDisplay()
        }
    }
}
