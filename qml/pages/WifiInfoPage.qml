import QtQuick 2.12
import QtQuick.Controls 2.12 as Controls
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import "../elements"
import "../elements/NetworkRecords.js" as NetworkRecords

// Read-only view of the Wi-Fi interface. Cached like the other info page, so it follows the
// network manager's notifications.
BasePage {
    id: root

    // Local end of the current DHCP lease, "" when there is none.
    property string dhcpLeaseExpired: ""

    readonly property var _info: NetworkRecords.isRecord(NetworkManager.wifiConnectionInfo)
                                 ? NetworkManager.wifiConnectionInfo : ({})
    readonly property font _infoFont: $ZelGui.font({ "family": ZelStyle.ui.fontFamily,
                                                      "pixelSize": $ZelGui.sp(22) })
    readonly property string _ssid: NetworkRecords.textOf(_info.ssid)
    readonly property bool _leaseShown: NetworkRecords.isRecord(_info.dhcp)

    function getText(value) {
        return NetworkRecords.displayText(value)
    }

    function updateDhcpLeaseExpired() {
        dhcpLeaseExpired = NetworkRecords.leaseEndText(NetworkManager.wifiConnectionInfo,
                                                        Qt.locale().dateTimeFormat(Locale.ShortFormat))
    }

    function _leaseText() {
        var text = qsTr("%1 secs").arg(getText(_info.dhcp.dhcp_lease_time))
        return dhcpLeaseExpired !== "" ? text + "\n" + dhcpLeaseExpired : text
    }

    title: qsTr("WiFi info")

    Component.onCompleted: updateDhcpLeaseExpired()

    Connections {
        target: NetworkManager
        function onWifiConnectionInfoChanged() { root.updateDhcpLeaseExpired() }
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
        // Leaves room at the right for the scroll indicator.
        contentWidth: width - 10
        contentHeight: Math.max(height, table.implicitHeight)

        Controls.ScrollIndicator.vertical: ScrollIndicator {
            color: ZelStyle.ui.primaryColor
            handleSize: 5
            alwaysVisible: true
            visible: flickable.interactive
        }

        GridLayout {
            id: table

            objectName: "infoTable"
            anchors.centerIn: parent
            width: Math.min(implicitWidth, flickable.contentWidth)
            columns: 2
            rowSpacing: 10
            columnSpacing: 15

            InfoText {
                objectName: "connectionState"
                text: root._ssid !== "" ? qsTr("Connected to WiFi '%1'").arg(root._ssid)
                                        : qsTr("Not connected to any WiFi network")
                opacity: 0.5
                wrapMode: Text.WordWrap
                Layout.columnSpan: 2
                Layout.fillWidth: true
                Layout.bottomMargin: $ZelGui.sp(20)
            }
            InfoText {
                text: qsTr("MAC Address")
                Layout.bottomMargin: $ZelGui.sp(15)
            }
            InfoValue {
                objectName: "macAddressValue"
                text: root.getText(NetworkManager.wifiMacAddress)
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
                visible: root._leaseShown
                Layout.topMargin: $ZelGui.sp(15)
            }
            InfoValue {
                objectName: "leaseValue"
                text: root._leaseShown ? root._leaseText() : ""
                visible: root._leaseShown
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
