import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0
import "qrc:/qml/elements"
import "qrc:/qml/pages"
import "qrc:/qml/elements/NetworkRecords.js" as NetworkRecords
import "NetworkState.js" as NetworkState

// The Ethernet and the Wi-Fi information pages: one table, two interfaces, each with its own
// rule for the lease row.
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
        id: ethernetPage

        EthernetInfoPage {}
    }

    Component {
        id: wifiPage

        WifiInfoPage {}
    }

    TestCase {
        name: "InfoPages"
        when: windowShown

        // 2023-11-14 22:13:20 UTC
        readonly property int expiry: 1700000000

        // Hands the interface's information record to the network manager, undefined for a
        // link that is down, and waits until the manager reports it.
        function showInfo(wifi, info) {
            var expected = info ? JSON.parse(JSON.stringify(info)) : {}
            if (wifi) {
                var ap = { "ssid": "Workshop", "signalStrength": 70, "encrypted": true }
                NetworkState.write(NetworkManager.stateFile, NetworkState.state(undefined, undefined, {
                    "active": info ? "Workshop" : "", "info": info || {}, "accessPoints": [ap],
                    "connections": [{ "ssid": "Workshop", "connectionSettings": { "dhcp": true } }]
                }))
                if (info)
                    expected.ssid = "Workshop"
            } else {
                NetworkState.write(NetworkManager.stateFile, NetworkState.state(info || {}))
            }
            tryVerify(function () {
                return NetworkState.canonical(wifi ? NetworkManager.wifiConnectionInfo
                                                   : NetworkManager.ethernetConnectionInfo)
                        === NetworkState.canonical(expected)
            }, 3000, "the network manager took the written record")
        }

        function showPage(wifi) {
            var page = stack.push(wifi ? wifiPage : ethernetPage)
            tryCompare(page, "active", true)
            return page
        }

        function cell(page, name) {
            return findChild(page, name)
        }

        // The zone file outlives a run: start from UTC whatever an earlier run left.
        function initTestCase() {
            setZone("UTC")
            tryVerify(function () { return new Date(0).getHours() === 0 }, 5000, "UTC")
        }

        function cleanup() {
            stack.pop(null, StackView.Immediate)
        }

        // As a system tool would change it: the platform reads the zone from this file.
        function setZone(zone) {
            var request = new XMLHttpRequest()
            request.open("PUT", "file://" + $ZelGui.envVar("ZEL_TIMEZONE_FILE"), false)
            request.send(zone)
        }

        function test_getText_data() {
            return [
                { tag: "missing", value: undefined, text: "---" },
                { tag: "null", value: null, text: "---" },
                { tag: "empty text", value: "", text: "---" },
                { tag: "zero", value: 0, text: "---" },
                { tag: "false", value: false, text: "---" },
                { tag: "empty list", value: [], text: "---" },
                { tag: "list of two", value: ["8.8.8.8", "1.1.1.1"], text: "8.8.8.8\n1.1.1.1" },
                { tag: "text", value: "10.0.0.1", text: "10.0.0.1" },
                { tag: "number", value: 3600, text: "3600" }
            ]
        }

        function test_getText(data) {
            compare(NetworkRecords.displayText(data.value), data.text)
        }

        function test_tableFollowsRecord_data() {
            return [
                { tag: "Ethernet", wifi: false, mac: "02:00:00:00:00:01", state: undefined },
                { tag: "Wi-Fi", wifi: true, mac: "02:00:00:5a:e1:02",
                  state: "Connected to WiFi 'Workshop'",
                  stateDown: "Not connected to any WiFi network" }
            ]
        }

        function test_tableFollowsRecord(data) {
            var page = showPage(data.wifi)
            showInfo(data.wifi, { "ipAddress": "10.1.2.3", "subnetMask": "255.255.0.0",
                                  "gateway": "10.1.0.1", "nameservers": ["10.1.0.1", "9.9.9.9"] })
            compare(cell(page, "macAddressValue").text, data.mac)
            compare(cell(page, "ipAddressValue").text, "10.1.2.3")
            compare(cell(page, "subnetMaskValue").text, "255.255.0.0")
            compare(cell(page, "gatewayValue").text, "10.1.0.1")
            compare(cell(page, "nameserversValue").text, "10.1.0.1\n9.9.9.9")
            verify(!cell(page, "leaseLabel").visible)
            compare(cell(page, "connectionState").visible, data.wifi)
            if (data.wifi)
                compare(cell(page, "connectionState").text, data.state)

            // Link down: the platform hands an empty record; nothing may be left of the old one.
            showInfo(data.wifi, undefined)
            compare(cell(page, "ipAddressValue").text, "---")
            compare(cell(page, "gatewayValue").text, "---")
            compare(cell(page, "nameserversValue").text, "---")
            if (data.wifi)
                compare(cell(page, "connectionState").text, data.stateDown)
        }

        // Ethernet shows the row while the record has the key at all; Wi-Fi only for a lease
        // record. null: the row is hidden.
        function test_leaseRow_data() {
            return [
                { tag: "no dhcp key", dhcp: undefined, ethernet: null, wifi: null },
                { tag: "dhcp null", dhcp: null, ethernet: "---", wifi: null },
                { tag: "dhcp false", dhcp: false, ethernet: "---", wifi: null },
                { tag: "empty record", dhcp: {}, ethernet: "--- secs", wifi: "--- secs" },
                { tag: "lease time 0, no expiry", dhcp: { "dhcp_lease_time": 0 },
                  ethernet: "--- secs", wifi: "--- secs" },
                { tag: "expiry 0", dhcp: { "dhcp_lease_time": 600, "expiry": 0 },
                  ethernet: "600 secs", wifi: "600 secs" },
                { tag: "lease with end", dhcp: { "dhcp_lease_time": 3600, "expiry": expiry },
                  ethernet: "3600 secs\n14 Nov 2023 22:13:20",
                  wifi: "3600 secs\n14 Nov 2023 22:13:20" }
            ]
        }

        function test_leaseRow(data) {
            var pages = [[false, data.ethernet], [true, data.wifi]]
            for (var i = 0; i < pages.length; ++i) {
                var wifi = pages[i][0]
                var text = pages[i][1]
                var page = showPage(wifi)
                var info = NetworkState.record("192.168.1.7")
                if (data.dhcp !== undefined)
                    info.dhcp = data.dhcp
                showInfo(wifi, info)
                var where = wifi ? "Wi-Fi" : "Ethernet"
                compare(cell(page, "leaseLabel").visible, text !== null, where)
                compare(cell(page, "leaseValue").visible, text !== null, where)
                if (text !== null)
                    compare(cell(page, "leaseValue").text, text, where)
                stack.pop(null, StackView.Immediate)
            }
        }

        function test_timeZoneChangeReRendersLeaseEnd() {
            var page = showPage(false)
            var info = NetworkState.record("192.168.1.7")
            info.dhcp = { "dhcp_lease_time": 86400, "expiry": expiry }
            showInfo(false, info)
            compare(page.dhcpLeaseExpired, "14 Nov 2023 22:13:20")
            setZone("Asia/Tokyo")
            tryCompare(page, "dhcpLeaseExpired", "15 Nov 2023 07:13:20", 5000)
            compare(cell(page, "leaseValue").text, "86400 secs\n15 Nov 2023 07:13:20")
            compare(stack.currentItem, page)
            setZone("UTC")
            tryCompare(page, "dhcpLeaseExpired", "14 Nov 2023 22:13:20", 5000)
        }

        function test_cachedPageShowsCurrentData() {
            // Cached pages outlive their visits: push one the stack does not own.
            var page = createTemporaryObject(ethernetPage, root)
            stack.push(page, {}, StackView.Immediate)
            stack.pop(StackView.Immediate)
            var info = NetworkState.record("172.16.0.9")
            info.dhcp = { "dhcp_lease_time": 120, "expiry": expiry }
            showInfo(false, info)
            stack.push(page, {}, StackView.Immediate)
            compare(cell(page, "ipAddressValue").text, "172.16.0.9")
            compare(page.dhcpLeaseExpired, "14 Nov 2023 22:13:20")
        }

        function test_screenshot_data() {
            return [
                { tag: "Ethernet", wifi: false, file: "ethernetinfopage.png" },
                { tag: "Wi-Fi", wifi: true, file: "wifiinfopage.png" }
            ]
        }

        function test_screenshot(data) {
            var page = showPage(data.wifi)
            var info = NetworkState.record("192.168.1.100")
            info.nameservers = ["192.168.1.1", "8.8.8.8"]
            info.dhcp = { "dhcp_lease_time": 86400, "expiry": expiry }
            showInfo(data.wifi, info)
            waitForRendering(page)
            var done = false
            page.grabToImage(function (result) {
                done = result.saveToFile($ZelGui.envVar("CS_ARTIFACT_DIR") + "/" + data.file)
            })
            tryVerify(function () { return done }, 5000, "screenshot saved")
        }
    }
}
