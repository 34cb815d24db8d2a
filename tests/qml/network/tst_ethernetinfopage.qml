import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0
import "qrc:/qml/pages"
import "NetworkState.js" as NetworkState
import "qrc:/qml/elements/NetworkRecords.js" as NetworkRecords

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

        EthernetInfoPage {}
    }

    TestCase {
        name: "EthernetInfoPage"
        when: windowShown

        // 2023-11-14 22:13:20 UTC
        readonly property int expiry: 1700000000

        function showInfo(info) {
            NetworkState.write(NetworkManager.stateFile, NetworkState.state(info))
            tryVerify(function () {
                return NetworkState.canonical(NetworkManager.ethernetConnectionInfo)
                        === NetworkState.canonical(info)
            }, 3000, "the network manager took the written record")
        }

        function showPage() {
            var page = stack.push(pageComponent)
            tryCompare(page, "active", true)
            return page
        }

        function cell(page, name) {
            return findChild(page, name)
        }

        function cleanup() {
            SystemTime.timezone = "UTC"
            stack.pop(null, StackView.Immediate)
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

        function test_tableFollowsRecord() {
            var page = showPage()
            showInfo({ "ipAddress": "10.1.2.3", "subnetMask": "255.255.0.0", "gateway": "10.1.0.1",
                       "nameservers": ["10.1.0.1", "9.9.9.9"] })
            compare(cell(page, "macAddressValue").text, "02:00:00:00:00:01")
            compare(cell(page, "ipAddressValue").text, "10.1.2.3")
            compare(cell(page, "subnetMaskValue").text, "255.255.0.0")
            compare(cell(page, "gatewayValue").text, "10.1.0.1")
            compare(cell(page, "nameserversValue").text, "10.1.0.1\n9.9.9.9")
            verify(!cell(page, "leaseLabel").visible)

            // Link down: the platform hands an empty record; nothing may be left of the old one.
            showInfo({})
            compare(cell(page, "ipAddressValue").text, "---")
            compare(cell(page, "nameserversValue").text, "---")
        }

        function test_leaseCell_data() {
            return [
                { tag: "no dhcp key", dhcp: undefined, shown: false },
                { tag: "dhcp null", dhcp: null, shown: true, text: "---" },
                { tag: "dhcp false", dhcp: false, shown: true, text: "---" },
                { tag: "empty record", dhcp: {}, shown: true, text: "--- secs" },
                { tag: "lease time 0, no expiry", dhcp: { "dhcp_lease_time": 0 }, shown: true,
                  text: "--- secs" },
                { tag: "expiry 0", dhcp: { "dhcp_lease_time": 600, "expiry": 0 }, shown: true,
                  text: "600 secs" },
                { tag: "lease with end", dhcp: { "dhcp_lease_time": 3600, "expiry": 1700000000 },
                  shown: true, text: "3600 secs\n14 Nov 2023 22:13:20" }
            ]
        }

        function test_leaseCell(data) {
            var page = showPage()
            var info = NetworkState.record("192.168.1.7")
            if (data.dhcp !== undefined)
                info.dhcp = data.dhcp
            showInfo(info)
            compare(cell(page, "leaseLabel").visible, data.shown)
            compare(cell(page, "leaseValue").visible, data.shown)
            if (data.shown)
                compare(cell(page, "leaseValue").text, data.text)
        }

        function test_timeZoneChangeReRendersLeaseEnd() {
            var page = showPage()
            var info = NetworkState.record("192.168.1.7")
            info.dhcp = { "dhcp_lease_time": 86400, "expiry": expiry }
            showInfo(info)
            compare(page.dhcpLeaseExpired, "14 Nov 2023 22:13:20")
            SystemTime.timezone = "Asia/Tokyo"
            tryCompare(page, "dhcpLeaseExpired", "15 Nov 2023 07:13:20")
            compare(cell(page, "leaseValue").text, "86400 secs\n15 Nov 2023 07:13:20")
            compare(stack.currentItem, page)
        }

        function test_cachedPageShowsCurrentData() {
            // Cached pages outlive their visits: push one the stack does not own.
            var page = createTemporaryObject(pageComponent, root)
            stack.push(page, {}, StackView.Immediate)
            stack.pop(StackView.Immediate)
            var info = NetworkState.record("172.16.0.9")
            info.dhcp = { "dhcp_lease_time": 120, "expiry": expiry }
            showInfo(info)
            stack.push(page, {}, StackView.Immediate)
            compare(cell(page, "ipAddressValue").text, "172.16.0.9")
            compare(page.dhcpLeaseExpired, "14 Nov 2023 22:13:20")
        }

        function test_screenshot() {
            var page = showPage()
            var info = NetworkState.record("192.168.1.100")
            info.nameservers = ["192.168.1.1", "8.8.8.8"]
            info.dhcp = { "dhcp_lease_time": 86400, "expiry": expiry }
            showInfo(info)
            wait(400) // let the switch and the fades settle
            waitForRendering(page)
            var done = false
            page.grabToImage(function (result) {
                done = result.saveToFile($ZelGui.envVar("CS_ARTIFACT_DIR") + "/ethernetinfopage.png")
            })
            tryVerify(function () { return done }, 5000, "screenshot saved")
        }
    }
}
