import QtQuick 2.12
import Zel.System 1.0
import "../elements"
import "../elements/NetworkRecords.js" as NetworkRecords

// Read-only view of the Wi-Fi interface. Cached like the other info page, so the table follows
// the network manager's notifications.
BasePage {
    id: root

    // Local end of the current DHCP lease, "" when there is none.
    readonly property string dhcpLeaseExpired: table.leaseEnd

    readonly property string _ssid: NetworkRecords.isRecord(table.info)
                                    ? NetworkRecords.textOf(table.info.ssid) : ""

    title: qsTr("WiFi info")

    InfoTable {
        id: table

        anchors.fill: parent
        info: NetworkManager.wifiConnectionInfo
        macAddress: NetworkManager.wifiMacAddress
        // Only a lease record shows the row.
        leaseShown: NetworkRecords.isRecord(info) && NetworkRecords.isRecord(info.dhcp)
        heading: root._ssid !== "" ? qsTr("Connected to WiFi '%1'").arg(root._ssid)
                                   : qsTr("Not connected to any WiFi network")
        scrollIndicator: true
    }
}
