import QtQuick 2.15
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0

// Runs with ZEL_NETWORK_STATE (a file of its own), ZEL_NETWORK_DELAY=100 and the
// XMLHttpRequest file switches, so the test edits the state file from outside, as a demo script
// pulling the cable would.
Item {
    id: root

    width: 400
    height: 400

    WifiListModel {
        id: wifiModel
    }

    ListView {
        id: wifiView

        anchors.fill: parent
        model: wifiModel
        delegate: Text {
            height: 20
            text: model.ssid
        }
    }

    SignalSpy {
        id: ethernetSpy

        target: NetworkManager
        signalName: "ethernetConnectedChanged"
    }

    SignalSpy {
        id: infoSpy

        target: NetworkManager
        signalName: "ethernetConnectionInfoChanged"
    }

    TestCase {
        id: testCase

        property int _generation: 0
        readonly property string path: $ZelGui.envVar("ZEL_NETWORK_STATE")
        readonly property int delay: 100

        name: "Network"
        when: windowShown

        function settings(extra) {
            const s = { dhcp: true, ipAddress: "", subnetMask: "", gateway: "", dnsServer: [] }
            for (const k in extra)
                s[k] = extra[k]
            return s
        }

        function fixture(mac) {
            return {
                ethernet: {
                    carrier: true,
                    connected: true,
                    macAddress: mac,
                    connectionSettings: settings({}),
                    connectionInfo: { ipAddress: "10.0.0.5", subnetMask: "255.255.255.0",
                                      gateway: "10.0.0.1", nameservers: ["10.0.0.1"],
                                      dhcp: { dhcp_lease_time: 3600, expiry: 2000000000 } }
                },
                wifi: {
                    connected: false,
                    macAddress: "02:00:00:00:aa:01",
                    activeConnection: "",
                    connectionInfo: {},
                    accessPoints: [
                        { ssid: "Alpha", signalStrength: 80, encrypted: true, password: "alpha-pass" },
                        { ssid: "Beta", signalStrength: 40, encrypted: false },
                        { ssid: "Gamma", signalStrength: 10, encrypted: true }
                    ],
                    connections: [
                        { ssid: "Alpha", connectionSettings: settings({ password: "alpha-pass" }) },
                        { ssid: "Delta", connectionSettings: settings({ password: "delta-pass" }) }
                    ]
                }
            }
        }

        function request(method, body) {
            const xhr = new XMLHttpRequest()
            let done = false
            xhr.onreadystatechange = function () {
                if (xhr.readyState === XMLHttpRequest.DONE)
                    done = true
            }
            xhr.open(method, "file://" + path)
            xhr.send(body)
            tryVerify(function () { return done }, 5000)
            return xhr.responseText
        }

        function writeState(state) {
            request("PUT", JSON.stringify(state, null, 2))
        }

        function readState() {
            return JSON.parse(request("GET", ""))
        }

        // Puts the network back to the fixture from outside and waits until it is taken.
        function init() {
            NetworkManager.disconnectWifi()
            const mac = "02:00:00:00:00:" + ("0" + (++_generation % 100)).slice(-2)
            writeState(fixture(mac))
            tryCompare(NetworkManager, "ethernetMacAddress", mac, 5000)
            tryCompare(wifiModel, "count", 4, 5000)
            ethernetSpy.clear()
            infoSpy.clear()
        }

        function rowOf(ssid) {
            for (let i = 0; i < wifiModel.count; ++i)
                if (wifiModel.get(i).ssid === ssid)
                    return wifiModel.get(i)
            return null
        }

        function test_model_rows_grouped_by_section() {
            const expected = [
                { section: "c", type: WifiListModel.TypeConnection, ssid: "Alpha", encrypted: true, signalStrength: 80 },
                { section: "c", type: WifiListModel.TypeConnection, ssid: "Delta", encrypted: true, signalStrength: 0 },
                { section: "a", type: WifiListModel.TypeAP, ssid: "Beta", encrypted: false, signalStrength: 40 },
                { section: "a", type: WifiListModel.TypeAP, ssid: "Gamma", encrypted: true, signalStrength: 10 }
            ]
            for (let i = 0; i < expected.length; ++i) {
                const row = wifiModel.get(i)
                for (const key in expected[i])
                    compare(row[key], expected[i][key], expected[i].ssid + "." + key)
                compare(row.connected, false)
            }
            compare(wifiModel.get(0).connectionSettings.password, "alpha-pass")
            compare(wifiModel.get(2).connectionSettings, undefined)
        }

        function test_ethernet_settings_write_data() {
            return [
                { tag: "static", settings: settings({ dhcp: false, ipAddress: "192.168.1.10",
                                                      subnetMask: "255.255.255.0", gateway: "",
                                                      dnsServer: ["8.8.8.8", "", ""] }),
                  ip: "192.168.1.10", nameservers: ["8.8.8.8"], lease: false },
                { tag: "dhcp", settings: settings({}), ip: "", nameservers: null, lease: true }
            ]
        }

        function test_ethernet_settings_write(data) {
            NetworkManager.ethernetConnectionSettings = data.settings
            compare(NetworkManager.ethernetConnectionSettings, data.settings)
            compare(NetworkManager.ethernetConnected, false, "the link goes down to apply")
            tryCompare(NetworkManager, "ethernetConnected", true, 5000)
            const info = NetworkManager.ethernetConnectionInfo
            if (data.ip !== "")
                compare(info.ipAddress, data.ip)
            else
                verify(/^\d+\.\d+\.\d+\.\d+$/.test(info.ipAddress), info.ipAddress)
            if (data.nameservers)
                compare(info.nameservers, data.nameservers)
            compare(info.dhcp !== undefined, data.lease)
            if (data.lease) {
                verify(info.dhcp.dhcp_lease_time > 0)
                verify(info.dhcp.expiry > Date.now() / 1000)
            }
            verify(infoSpy.count >= 2, "information record notified")
            compare(readState().ethernet.connectionSettings, data.settings, "kept in the state file")
        }

        function test_static_without_address_stays_down() {
            NetworkManager.ethernetConnectionSettings = settings({ dhcp: false })
            ignoreWarning(/without an address/)
            wait(delay * 4)
            compare(NetworkManager.ethernetConnected, false)
            compare(Object.keys(NetworkManager.ethernetConnectionInfo).length, 0)
        }

        function test_connect_wifi_data() {
            return [
                { tag: "saved and in reach", ssid: "Alpha", settings: undefined, connected: true, rows: 4 },
                { tag: "new with its key", ssid: "Alpha", settings: settings({ password: "alpha-pass" }), connected: true, rows: 4 },
                { tag: "new to an unknown key", ssid: "Gamma", settings: settings({ password: "12345678" }), connected: true, rows: 4 },
                { tag: "new to an open network", ssid: "Beta", settings: settings({ password: "" }), connected: true, rows: 4 },
                { tag: "wrong key", ssid: "Alpha", settings: settings({ password: "not-the-key" }), connected: false, rows: 4 },
                { tag: "saved, out of reach", ssid: "Delta", settings: undefined, connected: false, rows: 4 },
                { tag: "static addressing", ssid: "Beta",
                  settings: settings({ dhcp: false, ipAddress: "172.16.0.9", subnetMask: "255.255.0.0",
                                       gateway: "172.16.0.1", dnsServer: ["", "", ""], password: "" }),
                  connected: true, rows: 4, ip: "172.16.0.9" }
            ]
        }

        function test_connect_wifi(data) {
            if (data.settings === undefined)
                NetworkManager.connectWifi(data.ssid)
            else
                NetworkManager.connectWifi(data.ssid, data.settings)
            compare(NetworkManager.wifiConnected, false, "not at once")
            if (data.connected) {
                tryCompare(NetworkManager, "wifiConnected", true, 5000)
                compare(NetworkManager.wifiConnectionInfo.ssid, data.ssid)
                if (data.ip)
                    compare(NetworkManager.wifiConnectionInfo.ipAddress, data.ip)
                const row = rowOf(data.ssid)
                compare(row.section, "c", "a connected network is a saved connection")
                compare(row.connected, true)
                compare(wifiModel.get(0).ssid, data.ssid, "the connection in use comes first")
            } else {
                wait(delay * 4)
                compare(NetworkManager.wifiConnected, false)
                compare(NetworkManager.wifiConnectionInfo.ssid, undefined)
            }
            compare(wifiModel.count, data.rows)
        }

        function test_connect_unknown_saved_connection_does_nothing() {
            ignoreWarning(/no saved connection/)
            NetworkManager.connectWifi("Nowhere")
            wait(delay * 3)
            compare(NetworkManager.wifiConnected, false)
            compare(rowOf("Nowhere"), null)
        }

        function test_disconnect() {
            NetworkManager.connectWifi("Alpha")
            tryCompare(NetworkManager, "wifiConnected", true, 5000)
            NetworkManager.disconnectWifi()
            compare(NetworkManager.wifiConnected, false)
            compare(Object.keys(NetworkManager.wifiConnectionInfo).length, 0)
            compare(rowOf("Alpha").connected, false)
            compare(rowOf("Alpha").section, "c", "the connection stays saved")
        }

        function test_delete_data() {
            return [
                { tag: "connection in use, in reach", ssid: "Alpha", connectFirst: true, backAsAccessPoint: true },
                { tag: "out of reach", ssid: "Delta", connectFirst: false, backAsAccessPoint: false }
            ]
        }

        function test_delete(data) {
            if (data.connectFirst) {
                NetworkManager.connectWifi(data.ssid)
                tryCompare(NetworkManager, "wifiConnected", true, 5000)
            }
            NetworkManager.deleteWifiConnection(data.ssid)
            compare(NetworkManager.wifiConnected, false)
            const row = rowOf(data.ssid)
            if (data.backAsAccessPoint) {
                compare(row.section, "a")
                compare(row.type, WifiListModel.TypeAP)
            } else {
                compare(row, null)
            }
            const saved = readState().wifi.connections.map(function (c) { return c.ssid })
            verify(saved.indexOf(data.ssid) < 0, "gone from the state file")
        }

        function test_update_connection_in_use_reconnects() {
            NetworkManager.connectWifi("Alpha")
            tryCompare(NetworkManager, "wifiConnected", true, 5000)
            const changed = settings({ dhcp: false, ipAddress: "192.168.7.7", subnetMask: "255.255.255.0",
                                       gateway: "", dnsServer: ["192.168.7.1", "", ""], password: "alpha-pass" })
            NetworkManager.updateWifiConnection("Alpha", changed)
            compare(rowOf("Alpha").connectionSettings, changed)
            tryCompare(NetworkManager, "wifiConnected", true, 5000)
            compare(NetworkManager.wifiConnectionInfo.ipAddress, "192.168.7.7")
            compare(NetworkManager.wifiConnectionInfo.nameservers, ["192.168.7.1"])
        }

        function test_update_unknown_connection_is_refused() {
            ignoreWarning(/no saved connection/)
            NetworkManager.updateWifiConnection("Beta", settings({ password: "whatever1" }))
            compare(rowOf("Beta").section, "a")
        }

        function test_external_edit_data() {
            return [
                { tag: "link down", edit: function (s) { s.ethernet.connected = false } },
                { tag: "cable out", edit: function (s) { s.ethernet.carrier = false } }
            ]
        }

        function test_external_edit(data) {
            const state = readState()
            data.edit(state)
            writeState(state)
            tryCompare(NetworkManager, "ethernetConnected", false, 5000)
            compare(ethernetSpy.count, 1)
            compare(Object.keys(NetworkManager.ethernetConnectionInfo).length, 0)
        }

        function test_cable_back_brings_link_up() {
            const state = readState()
            state.ethernet.carrier = false
            writeState(state)
            tryCompare(NetworkManager, "ethernetConnected", false, 5000)
            state.ethernet.carrier = true
            writeState(state)
            tryCompare(NetworkManager, "ethernetConnected", true, 5000)
            verify(NetworkManager.ethernetConnectionInfo.ipAddress !== undefined)
        }

        function test_out_of_reach_drops_wifi() {
            NetworkManager.connectWifi("Alpha")
            tryCompare(NetworkManager, "wifiConnected", true, 5000)
            const state = readState()
            state.wifi.accessPoints = state.wifi.accessPoints.filter(function (ap) { return ap.ssid !== "Alpha" })
            writeState(state)
            tryCompare(NetworkManager, "wifiConnected", false, 5000)
            compare(rowOf("Alpha").signalStrength, 0)
        }

        function test_rows_keep_identity_on_change() {
            const before = wifiView.itemAtIndex(0)
            verify(before)
            const state = readState()
            state.wifi.accessPoints[0].signalStrength = 55
            writeState(state)
            tryVerify(function () { return rowOf("Alpha").signalStrength === 55 }, 5000)
            compare(wifiView.itemAtIndex(0), before, "changed in place, not rebuilt")
        }

        function test_unreadable_file_is_ignored() {
            ignoreWarning(/ignored/)
            $MessageLog.clear()
            request("PUT", "{ \"ethernet\": ")
            tryVerify(function () { return $MessageLog.count("ignored") === 1 }, 5000, "the file read")
            verify(NetworkManager.ethernetConnected, "the state is kept")
            compare(wifiModel.count, 4)
        }
    }
}
