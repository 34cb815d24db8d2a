import QtQuick 2.15
import QtTest 1.2
import Zel.Gui 1.0
import Zel.System 1.0

// Without ZEL_NETWORK_STATE: the built-in network, kept in memory only.
Item {
    id: root

    WifiListModel {
        id: wifiModel
    }

    SignalSpy {
        id: zoneSpy

        target: SystemTime
        signalName: "timezoneChanged"
    }

    TestCase {
        name: "System"

        function test_builtin_network() {
            compare(NetworkManager.stateFile, "")
            verify(NetworkManager.ethernetConnected)
            const info = NetworkManager.ethernetConnectionInfo
            verify(/^\d+\.\d+\.\d+\.\d+$/.test(info.ipAddress), info.ipAddress)
            verify(/^\d+\.\d+\.\d+\.\d+$/.test(info.subnetMask), info.subnetMask)
            verify(info.dhcp.dhcp_lease_time > 0)
            verify(/^([0-9A-Fa-f]{2}:){5}[0-9A-Fa-f]{2}$/.test(NetworkManager.ethernetMacAddress))
            verify(NetworkManager.wifiMacAddress !== "")
            compare(NetworkManager.wifiConnected, false)

            let saved = 0
            let inReach = 0
            for (let i = 0; i < wifiModel.count; ++i) {
                if (wifiModel.get(i).section === "c")
                    ++saved
                else if (wifiModel.get(i).section === "a")
                    ++inReach
            }
            compare(saved, 1)
            verify(inReach >= 2)
        }

        // As a system tool would change it: the stand-in reads the zone from this file.
        function setZone(zone) {
            const request = new XMLHttpRequest()
            request.open("PUT", "file://" + $ZelGui.envVar("ZEL_TIMEZONE_FILE"), false)
            request.send(zone)
        }

        // The zone file outlives a run: start from UTC whatever an earlier run left.
        function initTestCase() {
            setZone("UTC")
            tryVerify(function () { return new Date(0).getHours() === 0 }, 5000, "UTC")
        }

        function test_timezone_change_is_announced_data() {
            return [
                { tag: "Tokyo", zone: "Asia/Tokyo", hourAtEpoch: 9 },
                { tag: "New York", zone: "America/New_York", hourAtEpoch: 19 },
                { tag: "UTC", zone: "UTC", hourAtEpoch: 0 }
            ]
        }

        function test_timezone_change_is_announced(data) {
            zoneSpy.clear()
            setZone(data.zone)
            zoneSpy.wait(5000)
            compare(zoneSpy.count, 1)
            compare(zoneSpy.signalArguments[0][0], data.zone)
            // Local time in scripts follows at once.
            compare(new Date(0).getHours(), data.hourAtEpoch)
        }

        function test_unknown_timezone_is_ignored() {
            setZone("UTC")
            tryVerify(function () { return new Date(0).getHours() === 0 }, 5000)
            zoneSpy.clear()
            setZone("Not/AZone")
            wait(2500) // what is tested: a whole poll of the zone passes without a change
            compare(zoneSpy.count, 0)
            compare(new Date(0).getHours(), 0)
        }
    }
}
