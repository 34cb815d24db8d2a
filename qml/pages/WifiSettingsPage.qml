import QtQuick 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import "../elements"
import "../elements/NetworkRecords.js" as NetworkRecords

// Connects to an access point, or changes a saved connection when connectionSettings is given.
// Created anew for every visit and dropped when left.
InputPage {
    id: root

    property string ssid: ""
    // undefined: a new connection to an access point; a record: the saved connection to edit.
    property var connectionSettings: undefined
    property bool encrypted: false

    readonly property font _inputFont: $ZelGui.font({ "family": ZelStyle.ui.fontFamily,
                                                       "pixelSize": $ZelGui.sp(25) })
    readonly property bool _passwordHidden: pwdField.echoMode === TextInput.Password
                                            || pwdField.echoMode === TextInput.PasswordEchoOnEdit

    function initFromSettings() {
        var settings = connectionSettings
        if (settings === undefined)
            return
        pwdField.text = NetworkRecords.textOf(NetworkRecords.isRecord(settings) ? settings.password
                                                                                : undefined)
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

    function connect() {
        var labels = _invalidLabels()
        if (labels.length > 0) {
            validDialog.show(labels)
            return
        }
        var settings = NetworkRecords.settingsRecord(
                    modeSwitch.checked, ipField.text, subnetMaskField.text, gatewayField.text,
                    [dns1Field.text, dns2Field.text, dns3Field.text])
        settings.password = encrypted ? pwdField.text : ""
        if (connectionSettings === undefined)
            NetworkManager.connectWifi(ssid, settings)
        else
            NetworkManager.updateWifiConnection(ssid, settings)
        back()
    }

    function togglePasswordShown() {
        pwdField.echoMode = _passwordHidden ? TextInput.Normal : TextInput.Password
    }

    function _invalidLabels() {
        var labels = encrypted && pwdField.text.length < 8 ? [passwordLabel.text] : []
        if (modeSwitch.checked)
            return labels
        return labels.concat(NetworkRecords.invalidLabels([
            _check(ipLabel, ipField, true), _check(subnetMaskLabel, subnetMaskField, true),
            _check(gatewayLabel, gatewayField, false), _check(dns1Label, dns1Field, false),
            _check(dns2Label, dns2Field, false), _check(dns3Label, dns3Field, false)]))
    }

    function _check(label, field, required) {
        return { "label": label.text, "text": field.text, "acceptable": field.acceptableInput,
                 "required": required }
    }

    title: qsTr("WiFi settings")
    action.text: "Connect"

    onActionTriggered: connect()
    onActiveChanged: {
        if (active)
            initFromSettings()
    }

    GridLayout {
        id: form

        columns: 2
        rowSpacing: ZelStyle.ui.contentPadding
        columnSpacing: $ZelGui.sp(15)
        Layout.fillWidth: true
        Layout.alignment: Qt.AlignTop

        FormLabel {
            objectName: "formHeading"
            text: (root.connectionSettings === undefined ? qsTr("Connect to WiFi '%1'")
                                                         : qsTr("Settings for WiFi '%1'"))
                  .arg(root.ssid)
            opacity: 0.5
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            Layout.columnSpan: 2
            Layout.fillWidth: true
            Layout.bottomMargin: $ZelGui.sp(20)
        }

        FormLabel { id: passwordLabel; text: qsTr("Password"); visible: root.encrypted }
        Item {
            objectName: "passwordCell"
            visible: root.encrypted
            Layout.fillWidth: true
            Layout.preferredHeight: pwdField.implicitHeight

            BaseTextField {
                id: pwdField

                objectName: "pwdField"
                anchors.left: parent.left
                anchors.right: showPasswordButton.left
                anchors.rightMargin: ZelStyle.ui.contentPadding
                anchors.verticalCenter: parent.verticalCenter
                horizontalAlignment: TextInput.AlignRight
                verticalAlignment: TextInput.AlignVCenter
                font: root._inputFont
                echoMode: TextInput.Password
                inputMethodHints: Qt.ImhSensitiveData | Qt.ImhNoAutoUppercase
                                  | Qt.ImhNoPredictiveText
            }

            SimpleButton {
                id: showPasswordButton

                objectName: "showPasswordButton"
                anchors.right: parent.right
                width: height
                height: parent.height
                font: $ZelGui.fontAwesome5Solid(20)
                text: root._passwordHidden ? "\uf070" : "\uf06e"
                onClicked: root.togglePasswordShown()
            }
        }

        FormLabel { text: qsTr("Mode") }
        SimpleSwitch {
            id: modeSwitch

            objectName: "modeSwitch"
            checked: true
            textChecked: qsTr("DHCP")
            textUnchecked: qsTr("Static")
            colorChecked: "lightGrey"
            colorUnchecked: "lightGrey"
            font: root._inputFont
            Layout.preferredWidth: Math.max(115, implicitWidth)
            Layout.preferredHeight: Math.max(40, implicitHeight)
            Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
        }

        FormLabel { id: ipLabel; text: qsTr("IP"); visible: !modeSwitch.checked }
        AddressField { id: ipField; objectName: "ipField" }
        FormLabel { id: subnetMaskLabel; text: qsTr("Subnet Mask"); visible: !modeSwitch.checked }
        AddressField { id: subnetMaskField; objectName: "subnetMaskField" }
        FormLabel { id: gatewayLabel; text: qsTr("Gateway"); visible: !modeSwitch.checked }
        AddressField { id: gatewayField; objectName: "gatewayField" }
        FormLabel { id: dns1Label; text: qsTr("DNS 1"); visible: !modeSwitch.checked }
        AddressField { id: dns1Field; objectName: "dns1Field" }
        FormLabel { id: dns2Label; text: qsTr("DNS 2"); visible: !modeSwitch.checked }
        AddressField { id: dns2Field; objectName: "dns2Field" }
        FormLabel { id: dns3Label; text: qsTr("DNS 3"); visible: !modeSwitch.checked }
        AddressField { id: dns3Field; objectName: "dns3Field" }
    }

    CheckInputDialog {
        id: validDialog

        objectName: "validDialog"
        parent: root
    }

    component FormLabel: Text {
        font: root._inputFont
        Layout.alignment: Qt.AlignVCenter
    }

    component AddressField: IPTextField {
        visible: !modeSwitch.checked
        font: root._inputFont
        horizontalAlignment: TextInput.AlignRight
        verticalAlignment: TextInput.AlignVCenter
        Layout.fillWidth: true
    }
}
