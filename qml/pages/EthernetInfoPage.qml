import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import "../elements"
import "../elements/NetworkRecords.js" as NetworkRecords

// Read-only view of the wired interface. The page is cached and shown again on later visits, so
// everything follows the network manager's notifications instead of being read once.
BasePage {
    id: root

    // Local end of the current DHCP lease, "" when there is none.
    property string dhcpLeaseExpired: ""

    readonly property var _info: NetworkRecords.isRecord(NetworkManager.ethernetConnectionInfo)
                                 ? NetworkManager.ethernetConnectionInfo : ({})
    readonly property font _infoFont: $ZelGui.font({ "family": ZelStyle.ui.fontFamily,
                                                      "pixelSize": $ZelGui.sp(22) })

    function getText(value) {
        return NetworkRecords.displayText(value)
    }

    function updateDhcpLeaseExpired() {
        dhcpLeaseExpired = NetworkRecords.leaseEndText(NetworkManager.ethernetConnectionInfo,
                                                        Qt.locale().dateTimeFormat(Locale.ShortFormat))
    }

    function _leaseText() {
        var dhcp = _info.dhcp
        if (!dhcp)
            return "---"
        var text = qsTr("%1 secs").arg(getText(dhcp.dhcp_lease_time))
        return dhcpLeaseExpired !== "" ? text + "\n" + dhcpLeaseExpired : text
    }

    title: qsTr("Ethernet info")

    Component.onCompleted: updateDhcpLeaseExpired()

    Connections {
        target: NetworkManager
        function onEthernetConnectionInfoChanged() { root.updateDhcpLeaseExpired() }
    }

    Connections {
        target: SystemTime
        function onTimezoneChanged() {
            // The script engine caches the zone offset; without this the old one would be used.
            Date.timeZoneUpdated()
            root.updateDhcpLeaseExpired()
        }
    }

    Flickable {
        id: flickable

        objectName: "infoFlickable"
        // The content area already keeps the page's margin on every side.
        anchors.fill: parent
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        interactive: true
        contentWidth: width
        contentHeight: Math.max(height, table.implicitHeight)

        ScrollBar.vertical: ScrollBar { enabled: false }

        GridLayout {
            id: table

            objectName: "infoTable"
            anchors.centerIn: parent
            width: Math.min(implicitWidth, flickable.width)
            columns: 2
            rowSpacing: 10
            columnSpacing: 15

            InfoText {
                text: qsTr("MAC Address")
                Layout.bottomMargin: $ZelGui.sp(15)
            }
            InfoValue {
                objectName: "macAddressValue"
                text: root.getText(NetworkManager.ethernetMacAddress)
                Layout.bottomMargin: $ZelGui.sp(15)
            }
            InfoText { text: qsTr("IP Address") }
            InfoValue {
                objectName: "ipAddressValue"
                text: root.getText(root._info.ipAddress)
            }
            InfoText { text: qsTr("Subnet Mask") }
            InfoValue {
                objectName: "subnetMaskValue"
                text: root.getText(root._info.subnetMask)
            }
            InfoText { text: qsTr("Gateway") }
            InfoValue {
                objectName: "gatewayValue"
                text: root.getText(root._info.gateway)
            }
            InfoText { text: qsTr("Nameservers") }
            InfoValue {
                objectName: "nameserversValue"
                text: root.getText(root._info.nameservers)
            }
            InfoText {
                objectName: "leaseLabel"
                text: qsTr("DHCP Lease")
                visible: NetworkRecords.hasKey(root._info, "dhcp")
                Layout.topMargin: $ZelGui.sp(15)
            }
            InfoValue {
                objectName: "leaseValue"
                text: visible ? root._leaseText() : ""
                visible: NetworkRecords.hasKey(root._info, "dhcp")
                Layout.topMargin: $ZelGui.sp(15)
            }
        }
    }

    component InfoText: Text {
        font: root._infoFont
        Layout.alignment: Qt.AlignTop
    }

    component InfoValue: InfoText {
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }
}
