import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import Zel.VirtualKeyboard 1.0
import "../elements"
import "../elements/NetworkRecords.js" as NetworkRecords

// Display time-out and wired addressing. The page is cached, so it reloads the current settings
// each time it is shown: edits that were not saved are dropped on the way out.
BasePage {
    id: root

    readonly property font _inputFont: $ZelGui.font({ "family": ZelStyle.ui.fontFamily,
                                                       "pixelSize": $ZelGui.sp(25) })
    // The keyboard's rectangle is absent while it is hidden.
    readonly property real _keyboardHeight: InputContext.keyboardRectangle
                                            ? InputContext.keyboardRectangle.height : 0
    readonly property bool _vkbVisible: Qt.inputMethod.visible && _keyboardHeight > 0

    function initFromSettings() {
        var settings = NetworkManager.ethernetConnectionSettings
        var dhcp = NetworkRecords.isDhcp(settings)
        modeSwitch.checked = dhcp
        var texts = NetworkRecords.addressTexts(settings, dhcp)
        ipField.text = texts.ipAddress
        subnetMaskField.text = texts.subnetMask
        gatewayField.text = texts.gateway
        dns1Field.text = texts.dns[0]
        dns2Field.text = texts.dns[1]
        dns3Field.text = texts.dns[2]
        displayTimeoutInput.value = $Controller.displayTimeout
    }

    function apply() {
        var labels = modeSwitch.checked ? [] : NetworkRecords.invalidLabels(_addressChecks())
        if (labels.length > 0) {
            validDialog.show(labels)
            return
        }
        NetworkManager.ethernetConnectionSettings = NetworkRecords.settingsRecord(
                    modeSwitch.checked, ipField.text, subnetMaskField.text, gatewayField.text,
                    [dns1Field.text, dns2Field.text, dns3Field.text])
        $Controller.displayTimeout = displayTimeoutInput.value
        back()
    }

    function _addressChecks() {
        return [_check(ipLabel, ipField, true), _check(subnetMaskLabel, subnetMaskField, true),
                _check(gatewayLabel, gatewayField, false), _check(dns1Label, dns1Field, false),
                _check(dns2Label, dns2Field, false), _check(dns3Label, dns3Field, false)]
    }

    function _check(label, field, required) {
        return { "label": label.text, "text": field.text, "acceptable": field.acceptableInput,
                 "required": required }
    }

    title: qsTr("Settings")
    action.text: qsTr("Save")

    onActionTriggered: apply()
    onActiveChanged: {
        if (active)
            initFromSettings()
    }
    Component.onCompleted: initFromSettings()

    Flickable {
        id: flickable

        objectName: "settingsFlickable"
        // The content area already keeps the page's margin on every side.
        anchors.fill: parent
        anchors.bottomMargin: root._vkbVisible ? root._keyboardHeight : 0
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        interactive: true
        contentWidth: width
        contentHeight: Math.max(height, form.implicitHeight)

        ScrollBar.vertical: ScrollBar { enabled: false }

        GridLayout {
            id: form

            width: flickable.width
            columns: 2
            rowSpacing: ZelStyle.ui.contentPadding
            columnSpacing: $ZelGui.sp(15)

            FormLabel { text: qsTr("Display timeout [s]") }
            SimpleSpinBox {
                id: displayTimeoutInput

                objectName: "displayTimeoutInput"
                editable: true
                from: 0
                to: 999999
                font: root._inputFont
                Layout.preferredWidth: Math.max(180, implicitWidth)
                Layout.preferredHeight: Math.max(40, implicitHeight)
                Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
            }

            Rectangle {
                color: ZelStyle.ui.borderColor
                Layout.columnSpan: 2
                Layout.fillWidth: true
                Layout.preferredHeight: 1
                Layout.topMargin: 12
                Layout.bottomMargin: 12
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
