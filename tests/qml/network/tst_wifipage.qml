import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0
import "qrc:/qml/elements"
import "qrc:/qml/pages"
import "NetworkState.js" as NetworkState

Item {
    id: root

    width: 1280
    height: 800

    AppStyle {}

    StackView {
        id: stack

        anchors.fill: parent
        initialItem: Item {}
    }

    Component {
        id: pageComponent

        WifiPage {}
    }

    TestCase {
        name: "WifiPage"
        when: windowShown

        property var page: null

        readonly property var homeSettings: ({ "dhcp": false, "ipAddress": "192.168.50.30",
                                               "subnetMask": "255.255.255.0", "gateway": "",
                                               "dnsServer": ["", "", ""],
                                               "password": "home-secret" })

        readonly property string longName: "Guest network of the building services, third floor,"
                                           + " east wing, meeting rooms 3.14 to 3.20, the corridor"
                                           + " beside them and the kitchen at its far end"

        // Saved: "Home" and "Office"; in reach as well: "Cafe" (open) and "Lab" (encrypted),
        // and the given further access points.
        function writeState(active, moreAccessPoints, moreConnections) {
            NetworkState.write(NetworkManager.stateFile, NetworkState.state(undefined, undefined, {
                "active": active, "info": active ? NetworkState.record("192.168.50.30") : {},
                "accessPoints": [{ "ssid": "Home", "signalStrength": 80, "encrypted": true },
                                 { "ssid": "Office", "signalStrength": 30, "encrypted": true },
                                 { "ssid": "Cafe", "signalStrength": 26, "encrypted": false },
                                 { "ssid": "Lab", "signalStrength": 100, "encrypted": true }]
                                .concat(moreAccessPoints || []),
                "connections": [{ "ssid": "Home", "connectionSettings": homeSettings },
                                { "ssid": "Office", "connectionSettings": { "dhcp": true } }]
                               .concat(moreConnections || [])
            }))
        }

        function initTestCase() {
            page = stack.push(pageComponent)
        }

        function init() {
            // Animated, so that the list comes back into place: an immediate pop leaves it
            // where the push had moved it, off the window.
            stack.pop(page)
            tryCompare(stack, "busy", false)
            writeState("")
            tryVerify(function () { return row("Home") && row("Office") && row("Cafe")
                                           && row("Lab") && !NetworkManager.wifiConnected }, 3000)
            tryCompare(page, "active", true)
        }

        function row(ssid) {
            return findChild(page.listView, "wifiRow_" + ssid)
        }

        function openMenu(ssid) {
            mouseClick(findChild(row(ssid), "menuArea"))
            var menu = findChild(row(ssid), "connectionMenu")
            tryCompare(menu, "opened", true)
            return menu
        }

        function trigger(menu, name) {
            var item = findChild(menu.contentItem, name)
            mouseClick(item)
            tryCompare(menu, "visible", false)
        }

        // The footer lays its buttons out after the dialog has opened; wait for that.
        function dialogButton(dialog, text) {
            var button = null
            tryVerify(function () {
                var buttons = dialog.footer.contentChildren
                for (var i = 0; i < buttons.length; ++i) {
                    if (buttons[i].text === text)
                        button = buttons[i]
                }
                return button && button.mapToItem(dialog.contentItem, 0, 0).x >= 0
            }, 3000, "button " + text + " laid out")
            return button
        }

        function test_signalBars_data() {
            return [
                { tag: "0", strength: 0, bars: -1 },
                { tag: "4", strength: 4, bars: 0 },
                { tag: "5", strength: 5, bars: 1 },
                { tag: "25", strength: 25, bars: 1 },
                { tag: "26", strength: 26, bars: 2 },
                { tag: "50", strength: 50, bars: 2 },
                { tag: "51", strength: 51, bars: 3 },
                { tag: "75", strength: 75, bars: 3 },
                { tag: "76", strength: 76, bars: 4 },
                { tag: "100", strength: 100, bars: 4 },
                { tag: "101", strength: 101, bars: 0 },
                { tag: "negative", strength: -20, bars: -1 },
                { tag: "missing", strength: undefined, bars: -1 }
            ]
        }

        function test_signalBars(data) {
            compare(page.signalBars(data.strength), data.bars)
        }

        function test_rowsShowTheModel() {
            compare(findChild(row("Cafe"), "signalIndicator").value, 2)
            compare(findChild(row("Lab"), "signalIndicator").value, 4)
            verify(!findChild(row("Cafe"), "lockGlyph").visible)
            verify(findChild(row("Lab"), "lockGlyph").visible)
            compare(findChild(row("Home"), "actionGlyph").text, "\uf013")
            compare(findChild(row("Lab"), "actionGlyph").text, "\uf054")
            compare(findChild(row("Home"), "ssidText").text, "Home")
        }

        function test_sectionTitle_data() {
            return [
                { tag: "access points", section: "a", title: "Access Points" },
                { tag: "connections", section: "c", title: "Connections" },
                { tag: "unknown", section: "x", title: "?" },
                { tag: "empty", section: "", title: "?" }
            ]
        }

        function test_sectionTitle(data) {
            compare(page.sectionTitle(data.section), data.title)
        }

        function test_connectedRowIsHighlighted() {
            writeState("Home")
            tryCompare(NetworkManager, "wifiConnected", true, 3000)
            var home = findChild(row("Home"), "signalIndicator")
            tryVerify(function () { return Qt.colorEqual(home.fillColor, "#008440") }, 3000)
            verify(Qt.colorEqual(findChild(row("Home"), "lockGlyph").color, "#008440"))
            verify(Qt.colorEqual(findChild(row("Office"), "signalIndicator").fillColor, "#3e3e3e"))
        }

        function test_tapOnAccessPointOpensNewConnection_data() {
            return [
                { tag: "encrypted", ssid: "Lab", encrypted: true },
                { tag: "open", ssid: "Cafe", encrypted: false }
            ]
        }

        function test_tapOnAccessPointOpensNewConnection(data) {
            mouseClick(row(data.ssid))
            tryCompare(stack, "busy", false)
            var settings = stack.currentItem
            verify(settings !== page)
            compare(findChild(settings, "formHeading").text,
                    "Connect to WiFi '" + data.ssid + "'")
            compare(findChild(settings, "passwordCell").visible, data.encrypted)
            compare(settings.connectionSettings, undefined)
            verify(findChild(settings, "modeSwitch").checked)
        }

        // A name longer than its space can be dragged sideways, which takes the press from
        // what lies below it: a tap on it must still open the access point's page, and a
        // saved connection's name can still be dragged.
        function test_longNames() {
            var saved = longName + " saved"
            writeState("", [{ "ssid": longName, "signalStrength": 60, "encrypted": true },
                            { "ssid": saved, "signalStrength": 60, "encrypted": true }],
                       [{ "ssid": saved, "connectionSettings": { "dhcp": true } }])
            tryVerify(function () { return row(longName) && row(saved) }, 3000)
            var name = findChild(row(longName), "ssidText")
            verify(name.interactive, "the name does not fit")
            mouseClick(name, 30, name.height / 2)
            tryCompare(stack, "busy", false)
            var settings = stack.currentItem
            verify(settings !== page, "a tap on the name opens the page")
            compare(findChild(settings, "formHeading").text, "Connect to WiFi '" + longName + "'")
            stack.pop(page)
            tryCompare(stack, "busy", false)

            var savedName = findChild(row(saved), "ssidText")
            mouseDrag(savedName, savedName.width - 30, savedName.height / 2, -300, 0,
                      Qt.LeftButton, Qt.NoModifier, 20)
            tryVerify(function () { return savedName.contentX > 0 }, 3000, "the name moved")
            compare(stack.currentItem, page)
        }

        function test_tapOnConnectionBodyDoesNothing() {
            mouseClick(row("Home"), 200, row("Home").height / 2)
            compare(stack.currentItem, page)
            verify(!findChild(row("Home"), "connectionMenu").visible)
        }

        function test_menuConnectsAndDisconnects() {
            var menu = openMenu("Home")
            compare(findChild(menu.contentItem, "connectItem").text, "Connect")
            trigger(menu, "connectItem")
            tryCompare(NetworkManager, "wifiConnected", true, 3000)
            compare(NetworkManager.wifiConnectionInfo.ssid, "Home")
            // Connecting by name keeps the saved settings as they were.
            var saved = page.model.get(0).ssid === "Home" ? page.model.get(0) : page.model.get(1)
            compare(saved.ssid, "Home")
            compare(NetworkState.canonical(saved.connectionSettings),
                    NetworkState.canonical(homeSettings))

            menu = openMenu("Home")
            compare(findChild(menu.contentItem, "connectItem").text, "Disconnect")
            trigger(menu, "connectItem")
            tryCompare(NetworkManager, "wifiConnected", false, 3000)
        }

        function test_menuSettingsEditsTheConnection() {
            var menu = openMenu("Home")
            trigger(menu, "settingsItem")
            tryCompare(stack, "busy", false)
            var settings = stack.currentItem
            compare(findChild(settings, "formHeading").text, "Settings for WiFi 'Home'")
            compare(findChild(settings, "pwdField").text, "home-secret")
            compare(findChild(settings, "ipField").text, "192.168.50.30")
            verify(!findChild(settings, "modeSwitch").checked)
        }

        function savedNames() {
            var names = []
            for (var i = 0; i < page.model.count; ++i) {
                if (page.model.get(i).section === "c")
                    names.push(page.model.get(i).ssid)
            }
            return names.sort().join(",")
        }

        function test_deleteAsksFirst() {
            var menu = openMenu("Office")
            trigger(menu, "deleteItem")
            var dialog = findChild(page, "deleteDialog")
            tryCompare(dialog, "opened", true)
            compare(dialog.title, "Delete connection 'Office'?")
            compare(dialog.text, "Are you sure you want to delete the Wifi connection to 'Office'")
            mouseClick(dialogButton(dialog, "Abort"))
            tryCompare(dialog, "visible", false)
            compare(savedNames(), "Home,Office")

            trigger(openMenu("Office"), "deleteItem")
            tryCompare(dialog, "opened", true)
            mouseClick(dialogButton(dialog, "Yes"))
            tryVerify(function () { return savedNames() === "Home" }, 3000)
        }

        function test_infoActionShowsTheCachedInfoPage() {
            mouseClick(findChild(page, "actionButton"))
            tryCompare(stack, "busy", false)
            var info = stack.currentItem
            compare(findChild(info, "connectionState").text, "Not connected to any WiFi network")
            stack.pop(StackView.Immediate)
            mouseClick(findChild(page, "actionButton"))
            tryCompare(stack, "busy", false)
            compare(stack.currentItem, info)
        }

        function save(item, name) {
            var done = false
            item.grabToImage(function (result) {
                done = result.saveToFile($ZelGui.envVar("CS_ARTIFACT_DIR") + "/" + name)
            })
            tryVerify(function () { return done }, 5000, name + " saved")
        }

        function test_screenshot() {
            writeState("Home")
            tryCompare(NetworkManager, "wifiConnected", true, 3000)
            waitForRendering(page)
            save(page, "wifipage.png")
            // Popups live in the window's overlay, outside the page: picture the menu by itself.
            var menu = openMenu("Home")
            waitForRendering(menu.contentItem)
            save(menu.background.parent, "wifipage-menu.png")
            menu.close()
        }
    }
}
