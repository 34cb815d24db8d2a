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

    // The pages reach the controller service through this name, as they do in the product.
    property QtObject $Controller: QtObject {
        property int displayTimeout: 60
    }

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

        EthernetSettingsPage {}
    }

    Component {
        id: infoPageComponent

        EthernetInfoPage {}
    }

    TestCase {
        name: "EthernetSettingsPage"
        when: windowShown

        readonly property var dhcpRecord: ({ "dhcp": true, "ipAddress": "", "subnetMask": "",
                                             "gateway": "", "dnsServer": [] })

        function showPage() {
            var page = stack.push(pageComponent)
            tryCompare(page, "active", true)
            return page
        }

        function field(page, name) {
            return findChild(page, name)
        }

        // Puts the form into static mode with the given field texts.
        function fill(page, data) {
            field(page, "modeSwitch").checked = data.dhcp === true
            var names = ["ipField", "subnetMaskField", "gatewayField", "dns1Field", "dns2Field",
                         "dns3Field"]
            var values = [data.ip, data.mask, data.gateway, data.dns1, data.dns2, data.dns3]
            for (var i = 0; i < names.length; ++i)
                field(page, names[i]).text = values[i] || ""
        }

        function settingsText() {
            return NetworkState.canonical(NetworkManager.ethernetConnectionSettings)
        }

        function init() {
            NetworkManager.ethernetConnectionSettings = dhcpRecord
            root.$Controller.displayTimeout = 60
        }

        function cleanup() {
            stack.pop(null, StackView.Immediate)
        }

        function test_invalidInputWritesNothing_data() {
            return [
                { tag: "empty IP and mask", labels: "IP, Subnet Mask" },
                { tag: "unfinished IP", ip: "192.168.1", mask: "255.255.255.0", labels: "IP" },
                { tag: "IP ending in a colon", ip: "192.168.1.5:", mask: "255.255.255.0",
                  labels: "IP" },
                { tag: "bad gateway between mask and DNS 1", ip: "10.0.0.2", mask: "255.0",
                  gateway: "10.0", dns1: "8.8", labels: "Subnet Mask, Gateway, DNS 1" },
                { tag: "bad last DNS", ip: "10.0.0.2", mask: "255.0.0.0", dns3: "1.1.1.",
                  labels: "DNS 3" },
                { tag: "a port on any address", ip: "192.168.1.50:80", mask: "255.255.255.0:1",
                  gateway: "192.168.1.1:80", dns1: "8.8.8.8:53", labels: "IP, Subnet Mask, Gateway, DNS 1" },
                { tag: "everything wrong", ip: "1", mask: "2", gateway: "3", dns1: "4", dns2: "5",
                  dns3: "6", labels: "IP, Subnet Mask, Gateway, DNS 1, DNS 2, DNS 3" }
            ]
        }

        function test_invalidInputWritesNothing(data) {
            var page = showPage()
            var before = settingsText()
            fill(page, data)
            field(page, "displayTimeoutInput").value = 300
            page.apply()

            var dialog = field(page, "validDialog")
            tryCompare(dialog, "opened", true)
            compare(dialog.text, "Please check the following fields:\n" + data.labels)
            compare(settingsText(), before)
            compare(root.$Controller.displayTimeout, 60)
            compare(stack.currentItem, page)
            compare(field(page, "ipField").text, data.ip || "")
        }

        function test_secondCheckReplacesTheList() {
            var page = showPage()
            fill(page, { ip: "10.0.0.2" })
            page.apply()
            var dialog = field(page, "validDialog")
            tryCompare(dialog, "opened", true)
            fill(page, { mask: "255.0.0.0" })
            page.apply()
            tryCompare(dialog, "opened", true)
            compare(dialog.text, "Please check the following fields:\nIP")
        }

        function test_validInputIsWritten_data() {
            return [
                { tag: "static, address and mask only", ip: "192.168.1.10", mask: "255.255.255.0",
                  written: { "dhcp": false, "ipAddress": "192.168.1.10",
                             "subnetMask": "255.255.255.0", "gateway": "",
                             "dnsServer": ["", "", ""] } },
                { tag: "static, gateway and one name server", ip: "192.168.1.10", mask: "255.255.255.0",
                  gateway: "192.168.1.1", dns2: "8.8.8.8",
                  written: { "dhcp": false, "ipAddress": "192.168.1.10",
                             "subnetMask": "255.255.255.0", "gateway": "192.168.1.1",
                             "dnsServer": ["", "8.8.8.8", ""] } },
                { tag: "static, leading zeros written as decimal", ip: "010.000.000.007",
                  mask: "255.000.0.0", gateway: "010.0.0.01", dns1: "1.1.1.1", dns2: "009.9.9.9",
                  dns3: "8.8.4.04",
                  written: { "dhcp": false, "ipAddress": "10.0.0.7",
                             "subnetMask": "255.0.0.0", "gateway": "10.0.0.1",
                             "dnsServer": ["1.1.1.1", "9.9.9.9", "8.8.4.4"] } },
                { tag: "DHCP ignores the hidden fields", dhcp: true, ip: "1.2", mask: "x",
                  gateway: "10.0.0.1", dns1: "8.8.8.8",
                  written: { "dhcp": true, "ipAddress": "", "subnetMask": "", "gateway": "",
                             "dnsServer": [] } }
            ]
        }

        function test_validInputIsWritten(data) {
            NetworkManager.ethernetConnectionSettings = { "dhcp": false, "ipAddress": "10.9.9.9",
                "subnetMask": "255.0.0.0", "gateway": "", "dnsServer": ["", "", ""] }
            var page = showPage()
            fill(page, data)
            field(page, "displayTimeoutInput").value = 300
            page.apply()

            compare(settingsText(), NetworkState.canonical(data.written))
            compare(root.$Controller.displayTimeout, 300)
            tryCompare(stack, "depth", 1)
            verify(!field(page, "validDialog").opened)
        }

        function test_saveReachesTheInfoPage() {
            var page = showPage()
            fill(page, { ip: "192.168.7.20", mask: "255.255.255.0", gateway: "192.168.7.1",
                         dns1: "192.168.7.1" })
            mouseClick(findChild(page, "actionButton"))
            tryCompare(stack, "depth", 1)

            var info = stack.push(infoPageComponent)
            tryCompare(findChild(info, "ipAddressValue"), "text", "192.168.7.20", 3000)
            compare(findChild(info, "nameserversValue").text, "192.168.7.1")
            verify(!findChild(info, "leaseLabel").visible)
        }

        function test_formFromSettings_data() {
            return [
                { tag: "no dhcp key opens in DHCP mode",
                  settings: { "ipAddress": "10.0.0.2", "dnsServer": ["8.8.8.8"] },
                  dhcp: true, fields: ["", "", "", "", "", ""] },
                { tag: "DHCP empties stale addresses",
                  settings: { "dhcp": true, "ipAddress": "10.0.0.2", "subnetMask": "255.0.0.0",
                              "dnsServer": ["8.8.8.8"] },
                  dhcp: true, fields: ["", "", "", "", "", ""] },
                { tag: "static with two DNS entries",
                  settings: { "dhcp": false, "ipAddress": "10.0.0.2", "subnetMask": "255.0.0.0",
                              "gateway": "10.0.0.1", "dnsServer": ["8.8.8.8", "1.1.1.1"] },
                  dhcp: false,
                  fields: ["10.0.0.2", "255.0.0.0", "10.0.0.1", "8.8.8.8", "1.1.1.1", ""] },
                { tag: "static with four DNS entries shows three",
                  settings: { "dhcp": false, "ipAddress": "10.0.0.2", "subnetMask": "255.0.0.0",
                              "dnsServer": ["1.0.0.1", "1.0.0.2", "1.0.0.3", "1.0.0.4"] },
                  dhcp: false,
                  fields: ["10.0.0.2", "255.0.0.0", "", "1.0.0.1", "1.0.0.2", "1.0.0.3"] },
                { tag: "static without a DNS list",
                  settings: { "dhcp": false, "ipAddress": "10.0.0.2" },
                  dhcp: false, fields: ["10.0.0.2", "", "", "", "", ""] }
            ]
        }

        function test_formFromSettings(data) {
            NetworkManager.ethernetConnectionSettings = data.settings
            root.$Controller.displayTimeout = 45
            var page = showPage()
            compare(field(page, "modeSwitch").checked, data.dhcp)
            var names = ["ipField", "subnetMaskField", "gatewayField", "dns1Field", "dns2Field",
                         "dns3Field"]
            for (var i = 0; i < names.length; ++i) {
                compare(field(page, names[i]).text, data.fields[i], names[i])
                compare(field(page, names[i]).visible, !data.dhcp, names[i])
            }
            compare(field(page, "displayTimeoutInput").value, 45)
        }

        // One rule on both settings pages: DHCP only for a missing key, the boolean true or
        // the text "true". A static record read as DHCP would be made DHCP by Save.
        function test_dhcpOnlyFromTrue_data() {
            return [
                { tag: "text false is static", value: "false", dhcp: false },
                { tag: "number 1 is static", value: 1, dhcp: false },
                { tag: "null is static", value: null, dhcp: false },
                { tag: "text true is DHCP", value: "true", dhcp: true },
                { tag: "true is DHCP", value: true, dhcp: true }
            ]
        }

        function test_dhcpOnlyFromTrue(data) {
            NetworkManager.ethernetConnectionSettings = { "dhcp": data.value,
                "ipAddress": "10.0.0.2", "subnetMask": "255.0.0.0", "gateway": "",
                "dnsServer": ["", "", ""] }
            compare(NetworkManager.ethernetConnectionSettings.dhcp, data.value, "record as given")
            var page = showPage()
            compare(field(page, "modeSwitch").checked, data.dhcp)
            page.apply()
            tryCompare(stack, "depth", 1)
            var written = NetworkManager.ethernetConnectionSettings
            compare(written.dhcp, data.dhcp, "Save keeps the mode")
            compare(written.ipAddress, data.dhcp ? "" : "10.0.0.2")
        }

        // Typed, then saved with a tap on Save, which takes no focus: no Return, no focus
        // change in between.
        function test_typedTimeoutIsSaved_data() {
            return [
                { tag: "zero", typed: "0", saved: 0 },
                { tag: "largest", typed: "999999", saved: 999999 },
                { tag: "no seventh digit", typed: "1000000", saved: 100000 }
            ]
        }

        function test_typedTimeoutIsSaved(data) {
            var page = showPage()
            mouseClick(field(page, "displayTimeoutInput"))
            keyClick(Qt.Key_A, Qt.ControlModifier)
            for (var i = 0; i < data.typed.length; ++i)
                keyClick(data.typed[i])
            mouseClick(findChild(page, "actionButton"))
            tryCompare(stack, "depth", 1)
            compare(root.$Controller.displayTimeout, data.saved)
        }

        function test_unsavedEditsAreDroppedOnReturn() {
            NetworkManager.ethernetConnectionSettings = { "dhcp": false, "ipAddress": "10.0.0.2",
                "subnetMask": "255.0.0.0", "gateway": "", "dnsServer": ["", "", ""] }
            // The list page keeps one instance and pushes it again on every visit.
            var page = createTemporaryObject(pageComponent, root)
            stack.push(page, {}, StackView.Immediate)
            tryCompare(page, "active", true)
            fill(page, { dhcp: true, ip: "172.16.0.1" })
            field(page, "displayTimeoutInput").value = 5
            page.back()
            tryCompare(stack, "depth", 1)

            stack.push(page, {}, StackView.Immediate)
            tryCompare(page, "active", true)
            verify(!field(page, "modeSwitch").checked)
            compare(field(page, "ipField").text, "10.0.0.2")
            compare(field(page, "displayTimeoutInput").value, 60)
            compare(root.$Controller.displayTimeout, 60)
        }

        function test_screenshot() {
            NetworkManager.ethernetConnectionSettings = { "dhcp": false,
                "ipAddress": "192.168.1.50", "subnetMask": "255.255.255.0",
                "gateway": "192.168.1.1", "dnsServer": ["192.168.1.1", "8.8.8.8"] }
            var page = showPage()
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
                                         + "/ethernetsettingspage.png")
            })
            tryVerify(function () { return done }, 5000, "screenshot saved")

            // The dialog is a popup in the window's overlay: picture it by itself.
            field(page, "ipField").text = "192.168.1"
            field(page, "gatewayField").text = "192.168"
            page.apply()
            var dialog = field(page, "validDialog")
            tryCompare(dialog, "opened", true)
            done = false
            dialog.background.parent.grabToImage(function (result) {
                done = result.saveToFile($ZelGui.envVar("CS_ARTIFACT_DIR")
                                         + "/ethernetsettingspage-check.png")
            })
            tryVerify(function () { return done }, 5000, "dialog screenshot saved")
        }
    }
}
