import QtQuick 2.12
import Zel.System 1.0
import "../elements"
import "../elements/NetworkRecords.js" as NetworkRecords

// Read-only view of the wired interface. The page is cached and shown again on later visits, so
// the table follows the network manager's notifications instead of reading them once.
BasePage {
    id: root

    // Local end of the current DHCP lease, "" when there is none.
    readonly property string dhcpLeaseExpired: table.leaseEnd

    title: qsTr("Ethernet info")

    InfoTable {
        id: table

        anchors.fill: parent
        info: NetworkManager.ethernetConnectionInfo
        macAddress: NetworkManager.ethernetMacAddress
        // The row stays, with "---", while the lease key is there at all.
        leaseShown: NetworkRecords.hasKey(info, "dhcp")
    }
}
