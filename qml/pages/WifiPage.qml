import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Dialogs 1.3
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import "../elements"

// Access points in reach and saved connections. The page only forwards the user's choices to
// the network manager; the outcome shows up as the model's rows change.
ListPage {
    id: root

    // Bars of the signal indicator for a signal quality of 0 to 100; -1 means no signal.
    function signalBars(strength) {
        if (!(strength > 0))
            return -1
        if (strength < 5 || strength > 100)
            return 0
        if (strength <= 25)
            return 1
        if (strength <= 50)
            return 2
        return strength <= 75 ? 3 : 4
    }

    function sectionTitle(section) {
        if (section === "a")
            return qsTr("Access Points")
        return section === "c" ? qsTr("Connections") : "?"
    }

    function openSettings(ssid, encrypted, connectionSettings) {
        var properties = { "ssid": ssid, "encrypted": isEncrypted(encrypted) }
        if (connectionSettings !== undefined)
            properties.connectionSettings = connectionSettings
        push(settingsPageComponent, properties)
    }

    function confirmDelete(ssid) {
        deleteDialog.close()
        deleteDialog.ssid = ssid
        deleteDialog.open()
    }

    function isEncrypted(value) {
        return typeof value === "boolean" ? value : (!!value && Number(value) !== 0)
    }

    function _showInfo() {
        push(ItemCache.getItem("WIFI_INFO_PAGE", infoPageComponent, root.action))
    }

    title: qsTr("Wifi")
    action.text: qsTr("Info")
    model: WifiListModel {}
    section.property: "section"
    section.delegate: sectionDelegate
    delegate: rowDelegate

    onActionTriggered: _showInfo()

    Component {
        id: infoPageComponent

        WifiInfoPage {}
    }

    Component {
        id: settingsPageComponent

        WifiSettingsPage {}
    }

    Component {
        id: sectionDelegate

        Rectangle {
            objectName: "sectionHeader"
            width: ListView.view.width - (root.interactive ? 10 : 0)
            height: $ZelGui.sp(35)
            radius: 0.15 * height
            color: ZelStyle.ui.customColor1

            Text {
                objectName: "sectionCaption"
                x: ZelStyle.ui.contentPadding
                anchors.verticalCenter: parent.verticalCenter
                color: ZelStyle.ui.textColor
                font: $ZelGui.font({ "family": ZelStyle.ui.fontFamily, "pixelSize": $ZelGui.sp(20) })
                text: root.sectionTitle(section)
            }
        }
    }

    Component {
        id: rowDelegate

        WifiRow {
            objectName: "wifiRow_" + model.ssid
            width: ListView.view.width
            height: $ZelGui.sp(50)
            ssid: model.ssid
            encrypted: root.isEncrypted(model.encrypted)
            connected: model.connected
            isConnection: model.type === WifiListModel.TypeConnection
            signalBars: root.signalBars(model.signalStrength)

            onOpenAccessPoint: root.openSettings(model.ssid, model.encrypted, undefined)
            onConnectionToggled: {
                if (model.connected)
                    NetworkManager.disconnectWifi()
                else
                    NetworkManager.connectWifi(model.ssid)
            }
            // A saved connection is always edited in place, even when the platform handed no
            // settings for it: connecting anew would duplicate it.
            onSettingsChosen: root.openSettings(model.ssid, model.encrypted,
                                                model.connectionSettings || {})
            onDeleteChosen: root.confirmDelete(model.ssid)
        }
    }

    PopupDialog {
        id: deleteDialog

        property string ssid: ""

        objectName: "deleteDialog"
        z: 10000
        title: qsTr("Delete connection '%1'?").arg(ssid)
        text: qsTr("Are you sure you want to delete the Wifi connection to '%1'").arg(ssid)
        standardButtons: StandardButton.Yes | StandardButton.Abort

        onAccepted: NetworkManager.deleteWifiConnection(ssid)
    }
}
