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

    readonly property bool _passwordHidden: pwdField.echoMode === TextInput.Password
                                            || pwdField.echoMode === TextInput.PasswordEchoOnEdit

    function initFromSettings() {
        var settings = connectionSettings
        if (settings === undefined)
            return
        pwdField.text = NetworkRecords.textOf(NetworkRecords.isRecord(settings) ? settings.password
                                                                                : undefined)
        form.load(settings)
    }

    function connect() {
        var labels = (encrypted && pwdField.text.length < 8 ? [passwordLabel.text] : [])
                     .concat(form.invalidLabels())
        if (labels.length > 0) {
            validDialog.show(labels)
            return
        }
        var settings = form.settingsRecord()
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

    title: qsTr("WiFi settings")
    action.text: "Connect"

    onActionTriggered: connect()
    onActiveChanged: {
        if (active)
            initFromSettings()
    }

    AddressForm {
        id: form

        firstRow: 2

        FormLabel {
            objectName: "formHeading"
            text: (root.connectionSettings === undefined ? qsTr("Connect to WiFi '%1'")
                                                         : qsTr("Settings for WiFi '%1'"))
                  .arg(root.ssid)
            opacity: 0.5
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            Layout.row: 0
            Layout.column: 0
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
                font: form.font
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
    }

    CheckInputDialog {
        id: validDialog

        objectName: "validDialog"
        parent: root
    }
}
