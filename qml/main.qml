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
        controllerWebPage.address = Address.url(address)
        controllerWebPage.url = controllerWebPage.address
        drawer.close()
    }

    // What the first screen does not need (the keyboard, the list when a controller is shown) is
    // built once the start is over: at once when the list is shown, a while after the first page
    // has loaded when a controller is, as its own scripts start on loading and take the first
    // moments; building it sooner would slow that page's start. Either is built at once when
    // asked for, and at the latest a while after the start: a page may never end loading.
    property bool _startOver: false
    property Timer _startOverTimer: Timer {
        interval: 3000
        onTriggered: mainWindow._startOver = true
    }
    property Timer _startOverBound: Timer {
        interval: 10000
        running: !mainWindow._startOver
        onTriggered: mainWindow._startOver = true
    }

    color: "white"

    Component.onCompleted: {
        VirtualKeyboardSettings.layoutPath = "qrc:/qml/keyboard/layouts"
        VirtualKeyboardSettings.stylePath = "qrc:/qml/keyboard/style"
        splash.appReady = true
        drawer.visible = true
        startup.start()
        // A page given its address has not started loading yet: its end is awaited below.
        if (controllerWebPage.url.toString() === "")
            mainWindow._startOver = true
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
        obscured: splash.opacity === 1
        linkUp: NetworkManager.ethernetConnected
        screenOn: !screenSaver.visible
        // The pull from the drawer's edge is never covered by a dialog of the page.
        freeEdge: drawer.edge
        freeEdgeWidth: drawer.edgeWidth

        onOpenControllerList: drawer.open()
        onLoadingChanged: {
            if (!controllerWebPage.loading && !mainWindow._startOver)
                mainWindow._startOverTimer.start()
        }
    }

    TopDrawer {
        id: drawer

        objectName: "drawer"
        visible: false

        onPositionChanged: {
            if (drawer.position === 0 && controllerListLoader.item)
                controllerListLoader.item.popToInitialItem()
        }

        // Built with the list's first showing, or once the start is over.
        Loader {
            id: controllerListLoader

            anchors.fill: parent
            anchors.margins: 3 * ZelStyle.ui.contentMargin
            active: mainWindow._startOver || drawer.position > 0

            // By its path, so that its document is loaded only with it.
            source: "pages/ControllerListPage.qml"

            onLoaded: {
                item.objectName = "controllerListPage"
                item.displayController.connect(function (address) {
                    startup.stopRetry()
                    mainWindow._showController(address)
                })
                mainWindow._startOver = true
            }
        }
    }

    DeviceContainer {
        objectName: "keyboardContainer"
        parent: mainWindow.overlay
        z: drawer.z + 1000

        // A field that asks for the keyboard before it is built gets it at once: the build then
        // runs, or finishes, without waiting.
        Loader {
            id: keyboardLoader

            objectName: "keyboardLoader"
            anchors.fill: parent
            active: mainWindow._startOver || Qt.inputMethod.visible
            asynchronous: !Qt.inputMethod.visible

            onLoaded: mainWindow._startOver = true

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

    HeapUpkeep {
        objectName: "heapUpkeep"
        screenSaverOn: screenSaver.visible
        busy: controllerWebPage.loading || controllerWebPage.menuOpen || controllerWebPage.dialogOpen
              || Qt.inputMethod.visible || drawer.position > 0
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
