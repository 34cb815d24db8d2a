import QtQuick 2.12
import QtQuick.Controls 2.12 as Controls
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import "NetworkRecords.js" as NetworkRecords

// A connection's information as a table that scrolls: MAC address, addresses, name servers and
// the DHCP lease with its local end, optionally under a faded heading. It follows the record
// and the system's time zone, so a page shown again from a cache shows current data.
Flickable {
    id: root

    // The network manager's information record; anything else reads as an empty one.
    property var info: ({})
    property var macAddress
    property bool leaseShown: false
    // A line above the table; none when empty.
    property string heading: ""
    // A scroll indicator at the right, with room kept for it.
    property bool scrollIndicator: false
    // Local end of the current DHCP lease, "" when there is none.
    readonly property string leaseEnd: _leaseEndText(root.info, root._zoneChanges)

    readonly property var _record: NetworkRecords.isRecord(info) ? info : ({})
    // The platform tells of a new time zone by a signal only; each one counts here.
    property int _zoneChanges: 0

    // Evaluated again on every time zone change, even to a zone of the same name.
    function _leaseEndText(info, zoneChanges) {
        // The script engine caches the zone offset; without this the old one would be used.
        Date.timeZoneUpdated()
        return NetworkRecords.leaseEndText(info, Qt.locale().dateTimeFormat(Locale.ShortFormat))
    }

    function _zoneChanged() {
        root._zoneChanges += 1
    }

    function _leaseText() {
        var dhcp = _record.dhcp
        if (!dhcp)
            return "---"
        var text = qsTr("%1 secs").arg(NetworkRecords.displayText(dhcp.dhcp_lease_time))
        return leaseEnd !== "" ? text + "\n" + leaseEnd : text
    }

    objectName: "infoFlickable"
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    interactive: true
    contentWidth: root.scrollIndicator ? width - 10 : width
    contentHeight: Math.max(height, table.implicitHeight)

    // Connected by hand: the handler form of Connections that both Qt 5.12 and 5.15 accept
    // without a warning does not exist.
    Component.onCompleted: SystemTime.timezoneChanged.connect(root._zoneChanged)
    Component.onDestruction: SystemTime.timezoneChanged.disconnect(root._zoneChanged)

    Controls.ScrollBar.vertical: Controls.ScrollBar {
        enabled: false
        visible: !root.scrollIndicator
    }
    Controls.ScrollIndicator.vertical: ScrollIndicator {
        color: ZelStyle.ui.primaryColor
        handleSize: 5
        alwaysVisible: true
        visible: root.scrollIndicator && root.interactive
    }

    GridLayout {
        id: table

        objectName: "infoTable"
        anchors.centerIn: parent
        width: Math.min(implicitWidth, root.contentWidth)
        columns: 2
        rowSpacing: 10
        columnSpacing: 15

        InfoText {
            objectName: "connectionState"
            text: root.heading
            visible: root.heading !== ""
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
            text: NetworkRecords.displayText(root.macAddress)
            Layout.bottomMargin: $ZelGui.sp(15)
        }
        InfoText { text: qsTr("IP Address") }
        InfoValue {
            objectName: "ipAddressValue"
            text: NetworkRecords.displayText(root._record.ipAddress)
        }
        InfoText { text: qsTr("Subnet Mask") }
        InfoValue {
            objectName: "subnetMaskValue"
            text: NetworkRecords.displayText(root._record.subnetMask)
        }
        InfoText { text: qsTr("Gateway") }
        InfoValue {
            objectName: "gatewayValue"
            text: NetworkRecords.displayText(root._record.gateway)
        }
        InfoText { text: qsTr("Nameservers") }
        InfoValue {
            objectName: "nameserversValue"
            text: NetworkRecords.displayText(root._record.nameservers)
        }
        InfoText {
            objectName: "leaseLabel"
            text: qsTr("DHCP Lease")
            visible: root.leaseShown
            Layout.topMargin: $ZelGui.sp(15)
        }
        InfoValue {
            objectName: "leaseValue"
            text: visible ? root._leaseText() : ""
            visible: root.leaseShown
            Layout.topMargin: $ZelGui.sp(15)
        }
    }
}
