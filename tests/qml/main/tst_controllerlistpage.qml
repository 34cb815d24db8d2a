import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"
import "qrc:/qml/pages"
import "../network/NetworkState.js" as NetworkState

Item {
    id: root

    // Stand-in for the list model service: rows with the service's roles, and a search that the
    // test ends by hand.
    property ListModel $ControllerListModel: ListModel {
        property bool loading: false
        property int updates: 0

        function update() {
            updates += 1
            clear()
            loading = true
        }
    }

    // The settings page reads the display time-out from the controller service.
    property QtObject $Controller: QtObject {
        property int displayTimeout: 60
    }

    width: 1280
    height: 800

    AppStyle {}

    Component {
        id: pageComponent

        ControllerListPage {
            anchors.fill: parent
        }
    }

    SignalSpy {
        id: displaySpy

        signalName: "displayController"
    }

    TestCase {
        id: testCase

        name: "ControllerListPage"
        when: windowShown

        readonly property var rows: [
            { cName: "Boiler room", cModel: "3", cSerialNumber: "SN0001", cIpAddress: "10.77.1.1" },
            { cName: "Roof", cModel: "3", cSerialNumber: "SN0002", cIpAddress: "10.77.1.2" },
            { cName: "Cellar", cModel: "1", cSerialNumber: "SN0003", cIpAddress: "10.77.1.3" }
        ]

        function setNetwork(ethernet, wifi) {
            var state = NetworkState.state(ethernet ? NetworkState.record("192.168.1.50") : {})
            state.ethernet.carrier = ethernet
            state.ethernet.connected = ethernet
            if (wifi) {
                state.wifi.connected = true
                state.wifi.activeConnection = "Workshop"
                state.wifi.connectionInfo = NetworkState.record("192.168.7.20")
                state.wifi.accessPoints = [{ "ssid": "Workshop", "signalStrength": 80, "encrypted": false }]
                state.wifi.connections = [{ "ssid": "Workshop", "connectionSettings": { "dhcp": true } }]
            }
            NetworkState.write(NetworkManager.stateFile, state)
            tryCompare(NetworkManager, "ethernetConnected", ethernet, 3000)
            tryCompare(NetworkManager, "wifiConnected", wifi, 3000)
        }

        function fill(count) {
            root.$ControllerListModel.clear()
            for (var i = 0; i < count; ++i)
                root.$ControllerListModel.append(rows[i])
        }

        function createPage() {
            var page = createTemporaryObject(pageComponent, root)
            displaySpy.target = page
            displaySpy.clear()
            tryCompare(findChild(page, "controllerList"), "count", root.$ControllerListModel.count)
            return page
        }

        function row(page, index) {
            var item = null
            tryVerify(function () { return (item = findChild(page, "controllerRow" + index)) !== null },
                      3000, "row " + index)
            return item
        }

        function tapRow(page, index) {
            mouseClick(row(page, index))
        }

        function tapLogo(page, taps, pauseAfter) {
            var logo = findChild(page, "logoTouch")
            for (var i = 0; i < taps; ++i) {
                mouseClick(logo)
                wait(i === pauseAfter ? 700 : 100)
            }
        }

        function init() {
            root.$ControllerListModel.loading = false
            fill(0)
        }

        function test_statusFollowsTheSearch_data() {
            return [
                { tag: "searching, no rows yet", loading: true, rows: 0, status: "Searching...", search: false },
                { tag: "searching with rows", loading: true, rows: 2, status: "Searching...", search: false },
                { tag: "done with rows", loading: false, rows: 2, status: "Select a controller", search: true },
                { tag: "done, nothing found", loading: false, rows: 0, status: "", search: true }
            ]
        }

        function test_statusFollowsTheSearch(data) {
            fill(data.rows)
            root.$ControllerListModel.loading = data.loading
            var page = createPage()
            compare(findChild(page, "statusText").text, data.status)
            compare(findChild(page, "searchButton").enabled, data.search)
        }

        function test_searchButtonStartsASearch() {
            fill(3)
            var page = createPage()
            var before = root.$ControllerListModel.updates
            mouseClick(findChild(page, "searchButton"))
            compare(root.$ControllerListModel.updates, before + 1)
            compare(findChild(page, "statusText").text, "Searching...")
            verify(!findChild(page, "searchButton").enabled)
            mouseClick(findChild(page, "searchButton"))
            compare(root.$ControllerListModel.updates, before + 1, "no second search while one runs")
        }

        function test_tapSelectsAndTapAgainDeselects() {
            fill(3)
            var page = createPage()
            var list = findChild(page, "controllerList")
            var connect = findChild(page, "listConnectButton")
            compare(list.currentIndex, -1, "nothing selected at first")
            verify(!connect.enabled)

            tapRow(page, 1)
            compare(list.currentIndex, 1)
            verify(connect.enabled)
            tapRow(page, 2)
            compare(list.currentIndex, 2, "one row at a time")
            tapRow(page, 2)
            compare(list.currentIndex, -1)
            verify(!connect.enabled)
        }

        function test_selectedRowIsHighlighted() {
            fill(2)
            var page = createPage()
            tapRow(page, 0)
            var texts = row(page, 0).children[0].children
            compare(texts[0].text, "Boiler room")
            compare(texts[1].text, "SN0001")
            compare(texts[2].text, "10.77.1.1")
            compare(texts[0].color, ZelStyle.ui.primaryColor)
            compare(row(page, 1).children[0].children[0].color, ZelStyle.ui.textColor)
        }

        function test_connectSendsTheSelectedAddress() {
            fill(3)
            var page = createPage()
            tapRow(page, 1)
            mouseClick(findChild(page, "listConnectButton"))
            compare(displaySpy.count, 1)
            compare(displaySpy.signalArguments[0][0], "10.77.1.2")
        }

        function test_newSearchClearsTheSelection() {
            fill(3)
            var page = createPage()
            var list = findChild(page, "controllerList")
            tapRow(page, 2)
            root.$ControllerListModel.update()
            fill(3)
            compare(list.currentIndex, -1)
            verify(!findChild(page, "listConnectButton").enabled)
        }

        function test_hiddenWifiEntry_data() {
            return [
                { tag: "four quick taps", taps: 4, pauseAfter: -1, opens: false },
                { tag: "five quick taps", taps: 5, pauseAfter: -1, opens: true },
                { tag: "five taps with a pause after the second", taps: 5, pauseAfter: 1, opens: false },
                { tag: "pause, then five quick taps", taps: 6, pauseAfter: 0, opens: true }
            ]
        }

        function test_hiddenWifiEntry(data) {
            var page = createPage()
            tapLogo(page, data.taps, data.pauseAfter)
            compare(page.depth, data.opens ? 2 : 1)
            if (data.opens)
                verify(page.currentItem === ItemCache.getItem("WIFI_PAGE", null, null))
        }

        function test_doubleClicksCountAsTwoTaps() {
            var page = createPage()
            var logo = findChild(page, "logoTouch")
            mouseDoubleClickSequence(logo)
            wait(100)
            mouseDoubleClickSequence(logo)
            wait(100)
            compare(page.depth, 1)
            mouseClick(logo)
            compare(page.depth, 2)
        }

        function test_linksAndInfoButtonFollowTheNetwork_data() {
            return [
                { tag: "nothing connected", ethernet: false, wifi: false },
                { tag: "Ethernet only", ethernet: true, wifi: false },
                { tag: "Wi-Fi only", ethernet: false, wifi: true },
                { tag: "both", ethernet: true, wifi: true }
            ]
        }

        function test_linksAndInfoButtonFollowTheNetwork(data) {
            var page = createPage()
            setNetwork(data.ethernet, data.wifi)
            compare(findChild(page, "ethernetInfoButton").visible, data.ethernet)
            compare(findChild(page, "settingsButton").visible, true)
            compare(findChild(page, "ethernetLink").visible, data.ethernet)
            compare(findChild(page, "wifiLink").visible, data.wifi)
            if (data.ethernet)
                compare(findChild(page, "ethernetLink").children[1].text,
                        NetworkManager.ethernetConnectionInfo.ipAddress)
            if (data.wifi)
                compare(findChild(page, "wifiLink").children[1].text, "192.168.7.20")
        }

        function test_buttonsPushTheCachedPages_data() {
            return [
                { tag: "info", button: "ethernetInfoButton", key: "ETHERNET_INFO_PAGE" },
                { tag: "settings", button: "settingsButton", key: "ETHERNET_SETTINGS_PAGE" }
            ]
        }

        function test_buttonsPushTheCachedPages(data) {
            setNetwork(true, false)
            var page = createPage()
            mouseClick(findChild(page, data.button))
            tryCompare(page, "busy", false)
            compare(page.depth, 2)
            var pushed = page.currentItem
            verify(pushed === ItemCache.getItem(data.key, null, null))
            page.popToInitialItem()
            compare(page.depth, 1)
            mouseClick(findChild(page, data.button))
            tryCompare(page, "busy", false)
            verify(page.currentItem === pushed, "the same page again")
            page.popToInitialItem()
        }

        function test_popToInitialItemShowsTheList() {
            var page = createPage()
            mouseClick(findChild(page, "settingsButton"))
            // Interrupt the transition while it runs, as closing the drawer may.
            tryCompare(page, "busy", true)
            page.popToInitialItem()
            compare(page.depth, 1)
            compare(page.currentItem.objectName, "controllerListFirstPage")
            compare(page.currentItem.x, 0)
            verify(page.currentItem.visible)
        }

        function test_manualAddress_data() {
            return [
                { tag: "address", text: "192.168.1.10", key: Qt.Key_Return, emitted: true },
                { tag: "address with port", text: "10.77.1.1:8080", key: Qt.Key_Return, emitted: true },
                { tag: "keypad enter", text: "10.0.0.1", key: Qt.Key_Enter, emitted: true },
                { tag: "leading zeros sent as decimal", text: "192.168.001.010:80",
                  key: Qt.Key_Return, emitted: true, sent: "192.168.1.10:80" },
                { tag: "unfinished address", text: "10.0.0", key: Qt.Key_Return, emitted: false },
                { tag: "empty", text: "", key: Qt.Key_Return, emitted: false }
            ]
        }

        function test_manualAddress(data) {
            var page = createPage()
            var field = findChild(page, "manualAddressField")
            mouseClick(field)
            verify(field.activeFocus)
            for (var i = 0; i < data.text.length; ++i)
                keyClick(data.text[i])
            compare(field.text, data.text)
            compare(field.EnterKeyAction.enabled, data.emitted)
            compare(findChild(page, "manualConnectButton").enabled, data.emitted)
            keyClick(data.key)
            compare(displaySpy.count, data.emitted ? 1 : 0)
            if (data.emitted)
                compare(displaySpy.signalArguments[0][0], data.sent || data.text)
        }

        function test_manualConnectButton() {
            var page = createPage()
            var field = findChild(page, "manualAddressField")
            field.text = "10.77.1.3"
            mouseClick(findChild(page, "manualConnectButton"))
            compare(displaySpy.count, 1)
            compare(displaySpy.signalArguments[0][0], "10.77.1.3")
        }
    }
}
