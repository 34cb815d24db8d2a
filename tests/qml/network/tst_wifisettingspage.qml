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

        WifiSettingsPage {}
    }

    TestCase {
        name: "WifiSettingsPage"
        when: windowShown

        readonly property var homeSettings: ({ "dhcp": true, "ipAddress": "", "subnetMask": "",
                                               "gateway": "", "dnsServer": [],
                                               "password": "home-secret" })

        // In reach: "Home" (saved, not connected), "Cafe" (open) and "Lab" (encrypted).
        function init() {
            NetworkState.write(NetworkManager.stateFile, NetworkState.state(undefined, undefined, {
                "accessPoints": [{ "ssid": "Home", "signalStrength": 80, "encrypted": true },
                                 { "ssid": "Cafe", "signalStrength": 40, "encrypted": false },
                                 { "ssid": "Lab", "signalStrength": 60, "encrypted": true }],
                "connections": [{ "ssid": "Home", "connectionSettings": homeSettings }]
            }))
            tryVerify(function () {
                return savedSettings("Lab") === undefined && savedSettings("Cafe") === undefined
                        && savedSettings("Home") !== undefined && !NetworkManager.wifiConnected
            }, 3000, "the network manager took the written state")
        }

        function cleanup() {
            stack.pop(null, StackView.Immediate)
        }

        // The settings saved for a connection, as the list model reports them.
        function savedSettings(ssid) {
            for (var i = 0; i < model.count; ++i) {
                var row = model.get(i)
                if (row.section === "c" && row.ssid === ssid)
                    return row.connectionSettings
            }
            return undefined
        }

        function showPage(properties) {
            var page = stack.push(pageComponent, properties)
            tryCompare(page, "active", true)
            return page
        }

        function field(page, name) {
            return findChild(page, name)
        }

        function fillStatic(page, texts) {
            field(page, "modeSwitch").checked = false
            var names = ["ipField", "subnetMaskField", "gatewayField", "dns1Field", "dns2Field",
                         "dns3Field"]
            for (var i = 0; i < names.length; ++i)
                field(page, names[i]).text = texts[i] || ""
        }

        function test_newConnectionForm_data() {
            return [
                { tag: "encrypted", ssid: "Lab", encrypted: true },
                { tag: "open", ssid: "Cafe", encrypted: false }
            ]
        }

        function test_newConnectionForm(data) {
            var page = showPage({ "ssid": data.ssid, "encrypted": data.encrypted })
            compare(field(page, "formHeading").text, "Connect to WiFi '" + data.ssid + "'")
            compare(field(page, "passwordCell").visible, data.encrypted)
            verify(field(page, "modeSwitch").checked)
            compare(field(page, "pwdField").text, "")
            compare(field(page, "ipField").text, "")
            verify(!field(page, "ipField").visible)
        }

        function test_checkInput_data() {
            return [
                { tag: "7-character password", encrypted: true, password: "1234567",
                  labels: "Password" },
                { tag: "empty password", encrypted: true, password: "", labels: "Password" },
                { tag: "password first, then the address fields", encrypted: true,
                  password: "short", static: ["10.0.0", "", "1.2", "", "", "9.9."],
                  labels: "Password, IP, Subnet Mask, Gateway, DNS 3" },
                { tag: "open network, bad mask only", encrypted: false, password: "x",
                  static: ["10.0.0.5", "255.255"], labels: "Subnet Mask" }
            ]
        }

        function test_checkInput(data) {
            var page = showPage({ "ssid": "Lab", "encrypted": data.encrypted })
            field(page, "pwdField").text = data.password
            if (data.static)
                fillStatic(page, data.static)
            page.connect()
            var dialog = field(page, "validDialog")
            tryCompare(dialog, "opened", true)
            compare(dialog.text, "Please check the following fields:\n" + data.labels)
            compare(stack.currentItem, page)
            compare(savedSettings("Lab"), undefined)
            compare(field(page, "pwdField").text, data.password)
        }

        function test_newConnectionIsCreatedAndConnected_data() {
            return [
                { tag: "8-character password", ssid: "Lab", encrypted: true, password: "12345678",
                  sent: "12345678" },
                { tag: "open network sends no password", ssid: "Cafe", encrypted: false,
                  password: "leftover", sent: "" }
            ]
        }

        function test_newConnectionIsCreatedAndConnected(data) {
            var page = showPage({ "ssid": data.ssid, "encrypted": data.encrypted })
            field(page, "pwdField").text = data.password
            mouseClick(findChild(page, "actionButton"))
            tryCompare(stack, "depth", 1)
            tryVerify(function () { return savedSettings(data.ssid) !== undefined }, 3000)
            compare(NetworkState.canonical(savedSettings(data.ssid)), NetworkState.canonical({
                "dhcp": true, "ipAddress": "", "subnetMask": "", "gateway": "", "dnsServer": [],
                "password": data.sent }))
            // Only a new connection is connected at once; an update would not do that.
            tryCompare(NetworkManager, "wifiConnected", true, 3000)
            compare(NetworkManager.wifiConnectionInfo.ssid, data.ssid)
        }

        function test_savedConnectionIsUpdated() {
            var page = showPage({ "ssid": "Home", "encrypted": true,
                                  "connectionSettings": homeSettings })
            compare(field(page, "formHeading").text, "Settings for WiFi 'Home'")
            compare(field(page, "pwdField").text, "home-secret")
            fillStatic(page, ["192.168.9.9", "255.255.255.0", "", "192.168.9.1"])
            page.connect()
            tryCompare(stack, "depth", 1)
            tryVerify(function () { return savedSettings("Home").dhcp === false }, 3000)
            compare(NetworkState.canonical(savedSettings("Home")), NetworkState.canonical({
                "dhcp": false, "ipAddress": "192.168.9.9", "subnetMask": "255.255.255.0",
                "gateway": "", "dnsServer": ["192.168.9.1", "", ""], "password": "home-secret" }))
            wait(50)
            verify(!NetworkManager.wifiConnected)
        }

        // The form reads the record by the rule the Ethernet page's test goes through in full.
        function test_formFromSavedSettings_data() {
            return [
                { tag: "dhcp true", settings: { "dhcp": true, "password": "p" }, dhcp: true,
                  ip: "", password: "p" },
                { tag: "dhcp as text false is static", settings: { "dhcp": "false",
                  "ipAddress": "10.0.0.2", "dnsServer": ["8.8.8.8"] }, dhcp: false,
                  ip: "10.0.0.2", dns1: "8.8.8.8", password: "" }
            ]
        }

        function test_formFromSavedSettings(data) {
            var page = showPage({ "ssid": "Home", "encrypted": true,
                                  "connectionSettings": data.settings })
            compare(field(page, "modeSwitch").checked, data.dhcp)
            compare(field(page, "ipField").text, data.ip)
            compare(field(page, "dns1Field").text, data.dns1 || "")
            compare(field(page, "pwdField").text, data.password)
        }

        function test_showPasswordToggles() {
            var page = showPage({ "ssid": "Lab", "encrypted": true })
            var pwd = field(page, "pwdField")
            var button = field(page, "showPasswordButton")
            pwd.text = "s3cret pass"
            compare(pwd.echoMode, TextInput.Password)
            compare(button.text, "\uf070")
            var expected = [[TextInput.Normal, "\uf06e"], [TextInput.Password, "\uf070"],
                            [TextInput.Normal, "\uf06e"]]
            for (var i = 0; i < expected.length; ++i) {
                mouseClick(button)
                compare(pwd.echoMode, expected[i][0], "tap " + (i + 1))
                compare(button.text, expected[i][1], "tap " + (i + 1))
                compare(pwd.text, "s3cret pass")
            }
            // Shown only while editing still counts as hidden.
            pwd.echoMode = TextInput.PasswordEchoOnEdit
            compare(button.text, "\uf070")
            mouseClick(button)
            compare(pwd.echoMode, TextInput.Normal)
        }

        function test_screenshot() {
            var page = showPage({ "ssid": "Home", "encrypted": true,
                                  "connectionSettings": { "dhcp": false, "password": "home-secret",
                                      "ipAddress": "192.168.50.20", "subnetMask": "255.255.255.0",
                                      "gateway": "192.168.50.1", "dnsServer": ["192.168.50.1"] } })
            // The switch's knob has come to rest at the end of its state.
            var mode = field(page, "modeSwitch")
            tryVerify(function () {
                return mode.indicator.x === (mode.checked ? mode.width - mode.indicator.width
                                                            - mode.padding : mode.padding)
            }, 3000, "the switch at rest")
            waitForRendering(page)
            var done = false
            page.grabToImage(function (result) {
                done = result.saveToFile($ZelGui.envVar("CS_ARTIFACT_DIR")
                                         + "/wifisettingspage.png")
            })
            tryVerify(function () { return done }, 5000, "screenshot saved")
        }
    }

    WifiListModel {
        id: model
    }
}
