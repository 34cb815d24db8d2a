import QtQuick 2.12
import QtQuick.Layouts 1.12
import ControllerSelect 1.0
import Zel.Gui 1.0
import "NetworkRecords.js" as NetworkRecords

// How an interface is addressed: DHCP, or static with its address, mask, gateway and three name
// servers, each field checked as it is typed. It is filled from a network manager's settings
// record and builds the record to write back.
GridLayout {
    id: root

    // The form's input font, for rows a page puts beside the form.
    readonly property alias font: modeLabel.font
    // A page's own rows go above the form in the same columns: the form's rows start at this
    // row, and the first of the page's rows names its cell (Layout.row: 0, Layout.column: 0).
    property int firstRow: 0
    readonly property bool dhcp: modeSwitch.checked

    function load(settings) {
        var dhcp = NetworkRecords.isDhcp(settings)
        modeSwitch.checked = dhcp
        var texts = NetworkRecords.addressTexts(settings, dhcp)
        ipField.text = texts.ipAddress
        subnetMaskField.text = texts.subnetMask
        gatewayField.text = texts.gateway
        dns1Field.text = texts.dns[0]
        dns2Field.text = texts.dns[1]
        dns3Field.text = texts.dns[2]
    }

    // The labels of the fields that keep the form from being saved, in the form's order.
    function invalidLabels() {
        if (root.dhcp)
            return []
        return NetworkRecords.invalidLabels([
            _check(ipLabel, ipField, true), _check(subnetMaskLabel, subnetMaskField, true),
            _check(gatewayLabel, gatewayField, false), _check(dns1Label, dns1Field, false),
            _check(dns2Label, dns2Field, false), _check(dns3Label, dns3Field, false)])
    }

    // Addresses go out in their plain decimal form: the fields take leading zeros, which
    // others would read as octal.
    function settingsRecord() {
        return NetworkRecords.settingsRecord(
                    root.dhcp, _address(ipField), _address(subnetMaskField), _address(gatewayField),
                    [_address(dns1Field), _address(dns2Field), _address(dns3Field)])
    }

    function _address(field) {
        return Address.canonical(field.text)
    }

    function _check(label, field, required) {
        return { "label": label.text, "text": field.text, "acceptable": field.acceptableInput,
                 "required": required }
    }

    columns: 2
    rowSpacing: ZelStyle.ui.contentPadding
    columnSpacing: $ZelGui.sp(15)
    // A page's width even while no field is shown to stretch the form (with DHCP).
    Layout.fillWidth: true
    Layout.maximumWidth: Number.POSITIVE_INFINITY
    Layout.alignment: Qt.AlignTop

    FormLabel {
        id: modeLabel

        text: qsTr("Mode")
        Layout.row: root.firstRow
        Layout.column: 0
    }
    SimpleSwitch {
        id: modeSwitch

        objectName: "modeSwitch"
        checked: true
        textChecked: qsTr("DHCP")
        textUnchecked: qsTr("Static")
        colorChecked: "lightGrey"
        colorUnchecked: "lightGrey"
        font: root.font
        Layout.preferredWidth: Math.max(115, implicitWidth)
        Layout.preferredHeight: Math.max(40, implicitHeight)
        Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
    }

    FormLabel { id: ipLabel; text: qsTr("IP"); visible: !root.dhcp }
    AddressField { id: ipField; objectName: "ipField"; visible: !root.dhcp; font: root.font }
    FormLabel { id: subnetMaskLabel; text: qsTr("Subnet Mask"); visible: !root.dhcp }
    AddressField { id: subnetMaskField; objectName: "subnetMaskField"; visible: !root.dhcp; font: root.font }
    FormLabel { id: gatewayLabel; text: qsTr("Gateway"); visible: !root.dhcp }
    AddressField { id: gatewayField; objectName: "gatewayField"; visible: !root.dhcp; font: root.font }
    FormLabel { id: dns1Label; text: qsTr("DNS 1"); visible: !root.dhcp }
    AddressField { id: dns1Field; objectName: "dns1Field"; visible: !root.dhcp; font: root.font }
    FormLabel { id: dns2Label; text: qsTr("DNS 2"); visible: !root.dhcp }
    AddressField { id: dns2Field; objectName: "dns2Field"; visible: !root.dhcp; font: root.font }
    FormLabel { id: dns3Label; text: qsTr("DNS 3"); visible: !root.dhcp }
    AddressField { id: dns3Field; objectName: "dns3Field"; visible: !root.dhcp; font: root.font }
}
