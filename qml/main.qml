import QtQuick 2.12
import ControllerSelect 1.0
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
        keyboardLoader.active = true
    }

    AppStyle {}

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

        // Built in the background once the start-up decision is made, so the first page does
        // not wait for every key; finished at once if a field asks for it before it is done.
        Loader {
            id: keyboardLoader

            objectName: "keyboardLoader"
            anchors.fill: parent
            active: false
            asynchronous: !Qt.inputMethod.visible

            sourceComponent: InputPanel {
                objectName: "inputPanel"
                animationType: VirtualKeyboard.SlideAnimation
            }
        }
    }

    ScreenSaver {
        id: screenSaver

        objectName: "screenSaver"
        // In the overlay, where the drawer's popups are: only there can it cover them.
        parent: mainWindow.overlay
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
    InputActivity {
        onInputStarted: {
            if (!screenSaver.visible)
                startup.personUsedDisplay()
        }
    }
}
