import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.BSP 1.0
import Zel.Gui 1.0
import Zel.System 1.0
import Zel.VirtualKeyboard 1.0
import "../network/NetworkState.js" as NetworkState

// The main window against stand-ins of both services. Every address is a loopback one, so the
// web view never reaches beyond this machine.
Item {
    id: root

    property QtObject $Controller: QtObject {
        property string lastController: ""
        property int displayTimeout: 0
        // Addresses whose web server answers; all others do not.
        property var reachable: []
        // Every address checked, in order.
        property var checked: []

        function checkControllerAvailable(address) {
            checked = checked.concat([address])
            return reachable.indexOf(address) >= 0
        }
    }

    property ListModel $ControllerListModel: ListModel {
        property bool loading: false
        property int updates: 0

        function update() {
            updates += 1
            clear()
            loading = true
        }
    }

    width: 400
    height: 300

    TestCase {
        id: testCase

        property var window: null

        name: "MainWindow"
        when: windowShown

        function setEthernet(up) {
            var state = NetworkState.state({})
            state.ethernet.carrier = up
            state.ethernet.connected = up
            NetworkState.write(NetworkManager.stateFile, state)
            tryCompare(NetworkManager, "ethernetConnected", up, 3000)
        }

        function start(options) {
            setEthernet(options.ethernet)
            root.$Controller.lastController = options.stored || ""
            root.$Controller.reachable = options.reachable || []
            root.$Controller.checked = []
            root.$Controller.displayTimeout = options.displayTimeout || 0
            root.$ControllerListModel.updates = 0
            root.$ControllerListModel.loading = false
            root.$ControllerListModel.clear()
            var component = Qt.createComponent("qrc:/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            window = createTemporaryObject(component, null)
            verify(window)
            return window
        }

        function item(name) {
            var found = findChild(window.contentItem, name) || findChild(window.overlay, name)
            verify(found, name)
            return found
        }

        function startupFlow() {
            var found = findChild(window, "startupFlow")
            verify(found, "startupFlow")
            return found
        }

        // Returns once whatever was put off to the event loop has run.
        function settle() {
            var done = false
            Qt.callLater(function () { done = true })
            tryVerify(function () { return done })
        }

        // Open and done with opening: taps before that may go nowhere.
        function expectList() {
            tryCompare(item("drawer"), "position", 1)
            tryCompare(findChild(item("drawer"), "topDrawerPanel"), "opened", true)
        }

        function expectController(address) {
            tryCompare(item("drawer"), "position", 0)
            // The view reports the address as loaded, with the root path.
            compare(String(item("controllerWebPage").url).replace(/\/$/, ""), "http://" + address)
            compare(root.$Controller.lastController, address)
        }

        function choose(address) {
            item("controllerListPage").displayController(address)
        }

        function cleanup() {
            // A window dropped while its keyboard is still being built in the background takes
            // the toolkit down with it (the build goes on without its window), so let it end.
            var loader = window ? findChild(window.overlay, "keyboardLoader") : null
            if (loader && loader.active)
                tryCompare(loader, "status", Loader.Ready, 10000)
            window = null
            Display.brightness = 100
        }

        function test_startDecision_data() {
            return [
                    { tag: "stored controller answers", ethernet: true, stored: "127.0.0.2",
                  reachable: ["127.0.0.2"], checked: ["127.0.0.2"], list: false },
                { tag: "stored controller silent", ethernet: true, stored: "127.0.0.2",
                  reachable: [], checked: ["127.0.0.2"], list: true }
            ]
        }

        function test_startDecision(data) {
            start(data)
            compare(root.$Controller.checked, data.checked)
            verify(item("drawer").visible)
            verify(item("splash").appReady)
            if (data.list) {
                expectList()
                compare(root.$Controller.lastController, "")
                compare(root.$ControllerListModel.updates, 1)
                compare(String(item("controllerWebPage").url), "")
            } else {
                // Nothing the page does not need is built while it starts.
                verify(!findChild(window.overlay, "keyboardLoader").active)
                verify(!findChild(window.overlay, "controllerListPage"))
                expectController(data.stored)
                compare(root.$ControllerListModel.updates, 0)
            }
        }

        function test_choosingStoresLoadsAndCloses_data() {
            return [
                { tag: "listed controller", address: "127.0.0.3" },
                { tag: "manual address with a port", address: "127.0.0.4:8080" }
            ]
        }

        function test_choosingStoresLoadsAndCloses(data) {
            start({ ethernet: true })
            expectList()
            root.$ControllerListModel.append({ cName: "A", cModel: "1", cSerialNumber: "S1",
                                               cIpAddress: "127.0.0.3" })
            choose(data.address)
            expectController(data.address)
            compare(root.$ControllerListModel.updates, 1, "no new search")
            compare(root.$ControllerListModel.count, 1, "the list is kept")
        }

        function test_webPageAsksForTheList() {
            start({ ethernet: true, stored: "127.0.0.2", reachable: ["127.0.0.2"] })
            expectController("127.0.0.2")
            item("controllerWebPage").openControllerList()
            expectList()
            compare(root.$ControllerListModel.updates, 0, "no search on the way back")
            compare(root.$Controller.lastController, "127.0.0.2")
        }

        function test_closedDrawerReopensOnTheList() {
            start({ ethernet: true })
            expectList()
            var page = item("controllerListPage")
            mouseClick(findChild(page, "settingsButton"))
            tryCompare(page, "depth", 2)
            item("drawer").close()
            tryCompare(item("drawer"), "position", 0)
            compare(page.depth, 1)
            item("controllerWebPage").openControllerList()
            expectList()
            compare(page.currentItem.objectName, "controllerListFirstPage")
        }

        function test_keyboardPathsAndLayering() {
            start({ ethernet: true })
            compare(String(VirtualKeyboardSettings.layoutPath), "qrc:/qml/keyboard/layouts")
            compare(String(VirtualKeyboardSettings.stylePath), "qrc:/qml/keyboard/style")
            var drawer = item("drawer")
            compare(drawer.z, 0)
            compare(item("keyboardContainer").z, 1000)
            compare(item("screenSaver").z, 2000)
            compare(item("splash").z, 10000)
            // All three over the drawer's popups, which are in the overlay too.
            verify(item("keyboardContainer").parent === window.overlay)
            verify(item("screenSaver").parent === window.overlay)
            verify(item("splash").parent === window.overlay)
        }

        // The drawer's panel and content are popups: a dialog of a page inside it must open
        // above both, so that its button takes the tap.
        function test_dialogOfAPageInsideTheDrawer_data() {
            return [
                { tag: "Ethernet settings, static without an address", page: "ethernet" },
                { tag: "Wi-Fi settings, short password", page: "wifi" }
            ]
        }

        function test_dialogOfAPageInsideTheDrawer(data) {
            start({ ethernet: true })
            expectList()
            // Nothing over the drawer but what is tested.
            tryCompare(item("splash"), "visible", false)
            var list = item("controllerListPage")
            var page
            if (data.page === "ethernet") {
                mouseClick(findChild(list, "settingsButton"))
                tryCompare(list, "depth", 2)
                page = list.currentItem
            } else {
                // The Wi-Fi list behind five taps on the logo, and an access point's page.
                for (var i = 0; i < 5; ++i)
                    mouseClick(findChild(list, "logoTouch"))
                tryCompare(list, "depth", 2)
                list.currentItem.openSettings("Workshop", true, undefined)
                tryCompare(list, "depth", 3)
                page = list.currentItem
            }
            // The page fills its form when it becomes active.
            tryCompare(page, "active", true)
            if (data.page === "ethernet")
                findChild(page, "modeSwitch").checked = false
            else
                findChild(page, "pwdField").text = "short"
            mouseClick(findChild(page, "actionButton"))
            var dialog = findChild(page, "validDialog")
            tryCompare(dialog, "opened", true)
            mouseClick(dialog.standardButton(Dialog.Ok))
            tryCompare(dialog, "visible", false)
            compare(list.currentItem, page, "the page stays")
        }

        function test_movingTheDrawerHidesTheKeyboard() {
            start({ ethernet: true })
            expectList()
            var field = findChild(item("controllerListPage"), "manualAddressField")
            mouseClick(field)
            tryCompare(Qt.inputMethod, "visible", true)
            // The panel is built after start, not with the window: it must still come up.
            tryVerify(function() {
                var panel = findChild(window.overlay, "inputPanel")
                return panel !== null && panel.active
            })
            item("drawer").position = 0.95
            tryCompare(Qt.inputMethod, "visible", false)
        }

        // The retry: a stored controller that did not answer at start is tried again when the
        // link changes or a minute later, until it answers or the user chooses.
        function test_retryWhenTheLinkComesUp() {
            start({ ethernet: false, stored: "127.0.0.2", reachable: ["127.0.0.2"] })
            expectList()
            compare(root.$Controller.lastController, "")
            verify(startupFlow().retrying)
            compare(startupFlow().retryInterval, 60000)
            setEthernet(true)
            expectController("127.0.0.2")
            compare(root.$Controller.checked, ["127.0.0.2"])
            compare(root.$ControllerListModel.updates, 1)
            verify(!startupFlow().retrying)
        }

        function test_retryStopsOnceTheUserChose() {
            start({ ethernet: false, stored: "127.0.0.2", reachable: ["127.0.0.2"] })
            expectList()
            choose("127.0.0.3")
            expectController("127.0.0.3")
            verify(!startupFlow().retrying)
            setEthernet(true)
            settle()
            compare(root.$Controller.checked, [])
            compare(root.$Controller.lastController, "127.0.0.3")
        }

        // The retry is for an unattended display: once a person has used it, the stored
        // controller's answer must not take the screen away (closing the drawer, dropping a
        // settings page, hiding the keyboard).
        function test_retryStopsOnceAPersonUsedTheDisplay_data() {
            return [
                { tag: "settings page", input: "settings" },
                { tag: "typing an address", input: "typing" },
                { tag: "a key", input: "key" }
            ]
        }

        function test_retryStopsOnceAPersonUsedTheDisplay(data) {
            start({ ethernet: false, stored: "127.0.0.2", reachable: ["127.0.0.2"] })
            expectList()
            verify(startupFlow().retrying)
            var page = item("controllerListPage")
            if (data.input === "settings") {
                mouseClick(findChild(page, "settingsButton"))
                tryCompare(page, "depth", 2)
            } else if (data.input === "typing") {
                mouseClick(findChild(page, "manualAddressField"))
                tryCompare(Qt.inputMethod, "visible", true)
                keyClick(Qt.Key_1)
            } else {
                keyClick(Qt.Key_1)
            }
            setEthernet(true)
            settle()
            compare(root.$Controller.checked, [], "no retry")
            compare(item("drawer").position, 1)
            compare(root.$Controller.lastController, "")
            compare(String(item("controllerWebPage").url), "")
            verify(!startupFlow().retrying)
            if (data.input === "settings")
                compare(page.depth, 2, "the settings page stays")
            if (data.input === "typing")
                verify(Qt.inputMethod.visible, "the keyboard stays")
        }

        // The touch that wakes the screen saver reaches nothing: the display is still
        // unattended and the retry goes on.
        function test_wakingTheScreenSaverKeepsTheRetry() {
            start({ ethernet: false, stored: "127.0.0.2", reachable: ["127.0.0.2"],
                    displayTimeout: 1 })
            expectList()
            var saver = item("screenSaver")
            tryCompare(saver, "visible", true, 3000)
            mouseClick(window.contentItem, 10, 10)
            tryCompare(saver, "visible", false)
            verify(startupFlow().retrying)
            setEthernet(true)
            expectController("127.0.0.2")
        }

        // The backlight follows the screen saver only; a time-out of 0 leaves it alone.
        function test_screenSaverAndBacklight_data() {
            return [
                { tag: "time-out 0", timeout: 0, blanks: false },
                { tag: "time-out 1 s", timeout: 1, blanks: true }
            ]
        }

        function test_screenSaverAndBacklight(data) {
            start({ ethernet: true })
            // The splash lights the panel when it ends; only what follows is the saver's.
            tryCompare(item("splash"), "isReady", true)
            root.$Controller.displayTimeout = data.timeout
            var saver = item("screenSaver")
            compare(saver.timeoutInterval, data.timeout * 1000)
            compare(saver.enabled, data.timeout > 0)
            Display.brightness = 37
            if (!data.blanks) {
                wait(1500)
                verify(!saver.visible)
                mouseClick(window.contentItem, 10, 10)
                compare(Display.brightness, 37)
                return
            }
            tryCompare(saver, "visible", true, 3000)
            compare(Display.brightness, 0)
            mouseClick(window.contentItem, 10, 10)
            tryCompare(saver, "visible", false)
            compare(Display.brightness, 100)
        }

        function test_newTimeoutRestartsTheCountdown() {
            start({ ethernet: true, displayTimeout: 1 })
            var saver = item("screenSaver")
            tryCompare(saver, "visible", true, 3000)
            root.$Controller.displayTimeout = 2
            compare(saver.timeoutInterval, 2000)
            verify(!saver.visible, "the countdown starts again")
            compare(Display.brightness, 100)
            wait(1200)
            verify(!saver.visible)
            tryCompare(saver, "visible", true, 3000)
            root.$Controller.displayTimeout = 0
            verify(!saver.enabled)
        }
    }
}
