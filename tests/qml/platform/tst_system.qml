import QtQuick 2.15
import QtTest 1.2
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

        function test_timezone_change_is_announced_data() {
            return [
                { tag: "Tokyo", zone: "Asia/Tokyo", hourAtEpoch: 9 },
                { tag: "UTC", zone: "UTC", hourAtEpoch: 0 },
                { tag: "New York", zone: "America/New_York", hourAtEpoch: 19 }
            ]
        }

        function test_timezone_change_is_announced(data) {
            zoneSpy.clear()
            SystemTime.timezone = data.zone
            compare(zoneSpy.count, 1)
            compare(zoneSpy.signalArguments[0][0], data.zone)
            compare(SystemTime.timezone, data.zone)
            // Local time in scripts follows at once.
            compare(new Date(0).getHours(), data.hourAtEpoch)
        }

        function test_unknown_timezone_is_ignored() {
            SystemTime.timezone = "UTC"
            zoneSpy.clear()
            SystemTime.timezone = "Not/AZone"
            compare(zoneSpy.count, 0)
            compare(SystemTime.timezone, "UTC")
        }
    }
}
