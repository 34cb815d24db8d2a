import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0
import "qrc:/qml/pages"
import "NetworkState.js" as NetworkState

Item {
    id: root

    width: 1280
    height: 800

    TestStyle {}

    StackView {
        id: stack

        anchors.fill: parent
        initialItem: Item {}
    }

    Component {
        id: pageComponent

        WifiInfoPage {}
    }

    TestCase {
        name: "WifiInfoPage"
        when: windowShown

        // Connects the simulated Wi-Fi to "Workshop" with the given information record.
        function showInfo(info) {
            var ap = { "ssid": "Workshop", "signalStrength": 70, "encrypted": true }
            NetworkState.write(NetworkManager.stateFile, NetworkState.state(undefined, undefined, {
                "active": info ? "Workshop" : "", "info": info || {}, "accessPoints": [ap],
                "connections": [{ "ssid": "Workshop", "connectionSettings": { "dhcp": true } }]
            }))
            var expected = info ? JSON.parse(JSON.stringify(info)) : {}
            if (info)
                expected.ssid = "Workshop"
            tryVerify(function () {
                return NetworkState.canonical(NetworkManager.wifiConnectionInfo)
                        === NetworkState.canonical(expected)
            }, 3000, "the network manager took the written record")
        }

        function showPage() {
            var page = stack.push(pageComponent)
            tryCompare(page, "active", true)
            return page
        }

        function cleanup() {
            SystemTime.timezone = "UTC"
            stack.pop(null, StackView.Immediate)
        }

        function test_connectionState() {
            var page = showPage()
            showInfo(NetworkState.record("192.168.50.20"))
            var state = findChild(page, "connectionState")
            compare(state.text, "Connected to WiFi 'Workshop'")
            compare(findChild(page, "ipAddressValue").text, "192.168.50.20")
            compare(findChild(page, "macAddressValue").text, "02:00:00:5a:e1:02")

            showInfo(undefined)
            compare(state.text, "Not connected to any WiFi network")
            compare(findChild(page, "ipAddressValue").text, "---")
            compare(findChild(page, "gatewayValue").text, "---")
        }

        function test_leaseRow_data() {
            return [
                { tag: "no dhcp key", dhcp: undefined, shown: false },
                { tag: "dhcp null", dhcp: null, shown: false },
                { tag: "dhcp false", dhcp: false, shown: false },
                { tag: "empty record", dhcp: {}, shown: true, text: "--- secs" },
                { tag: "lease with end", dhcp: { "dhcp_lease_time": 7200, "expiry": 1700000000 },
                  shown: true, text: "7200 secs\n14 Nov 2023 22:13:20" }
            ]
        }

        function test_leaseRow(data) {
            var page = showPage()
            var info = NetworkState.record("192.168.50.20")
            if (data.dhcp !== undefined)
                info.dhcp = data.dhcp
            showInfo(info)
            compare(findChild(page, "leaseLabel").visible, data.shown)
            compare(findChild(page, "leaseValue").visible, data.shown)
            if (data.shown)
                compare(findChild(page, "leaseValue").text, data.text)
        }

        function test_leaseEndFollowsTimeZone() {
            var page = showPage()
            var info = NetworkState.record("192.168.50.20")
            info.dhcp = { "dhcp_lease_time": 60, "expiry": 1700000000 }
            showInfo(info)
            SystemTime.timezone = "America/New_York"
            tryCompare(page, "dhcpLeaseExpired", "14 Nov 2023 17:13:20")
        }

        function test_screenshot() {
            var page = showPage()
            var info = NetworkState.record("192.168.50.20")
            info.dhcp = { "dhcp_lease_time": 86400, "expiry": 1700000000 }
            showInfo(info)
            wait(400) // let the switch and the fades settle
            waitForRendering(page)
            var done = false
            page.grabToImage(function (result) {
                done = result.saveToFile($ZelGui.envVar("CS_ARTIFACT_DIR") + "/wifiinfopage.png")
            })
            tryVerify(function () { return done }, 5000, "screenshot saved")
        }
    }
}
