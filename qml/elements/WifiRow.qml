import QtQuick 2.12
import Zel.Gui 1.0

// A row of the Wi-Fi list: signal bars, lock, the network's name and, for a saved connection,
// its menu. It shows what it is given and reports what the user chose.
Rectangle {
    id: root

    property string ssid
    property bool encrypted: false
    property bool connected: false
    // A saved connection (with its menu) rather than an access point in reach.
    property bool isConnection: false
    // Bars of the signal indicator, -1 for no signal.
    property int signalBars: -1

    readonly property color _rowColor: connected ? ZelStyle.ui.primaryColor : ZelStyle.ui.textColor

    // A tap on an access point's root.
    signal openAccessPoint()
    // The saved connection's menu: connect or disconnect, its settings, deleting it.
    signal connectionToggled()
    signal settingsChosen()
    signal deleteChosen()

    color: ZelStyle.ui.baseColor

    SignalStrengthIndicator {
        id: indicator

        objectName: "signalIndicator"
        x: ZelStyle.ui.contentPadding
        anchors.verticalCenter: parent.verticalCenter
        width: height
        height: 0.75 * root.height
        value: root.signalBars
        baseColor: "#d1d1d1"
        fillColor: root._rowColor

        Text {
            objectName: "lockGlyph"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            visible: root.encrypted
            color: root._rowColor
            font: $ZelGui.fontAwesome5Solid(Math.max(5, 0.3 * indicator.height))
            text: "\uf023"
        }
    }

    FlickableText {
        objectName: "ssidText"
        anchors.left: indicator.right
        anchors.leftMargin: 15
        anchors.right: actionSquare.left
        anchors.verticalCenter: parent.verticalCenter
        autoScrollEnabled: false
        text: root.ssid
        color: root._rowColor
        font: $ZelGui.font({ "family": ZelStyle.ui.fontFamily, "pixelSize": $ZelGui.sp(20) })
    }

    // Over the name too: a name too long for its space can be dragged sideways and would
    // take the press from an area below it (the platform's text takes no child items to hold
    // a tap area of its own). So only a saved connection's name, which a tap does not act
    // on, can be dragged; an access point's full name shows on its settings page.
    MyMouseArea {
        objectName: "rowArea"
        anchors.fill: parent
        enabled: !root.isConnection
        onClicked: root.openAccessPoint()
    }

    Item {
        id: actionSquare

        anchors.right: parent.right
        anchors.rightMargin: ZelStyle.ui.contentMargin
        width: height
        height: root.height

        Text {
            objectName: "actionGlyph"
            anchors.centerIn: parent
            color: ZelStyle.ui.textColor
            font: $ZelGui.fontAwesome5Solid(Math.max(20, actionSquare.height / 2))
            text: root.isConnection ? "\uf013" : "\uf054"
        }

        MyMouseArea {
            objectName: "menuArea"
            anchors.fill: parent
            enabled: root.isConnection
            onClicked: connectionMenu.open()
        }
    }

    WifiMenu {
        id: connectionMenu

        objectName: "connectionMenu"
        x: actionSquare.x - width
        y: 0

        WifiMenuItem {
            objectName: "connectItem"
            text: root.connected ? qsTr("Disconnect") : qsTr("Connect")
            onTriggered: {
                connectionMenu.close()
                root.connectionToggled()
            }
        }
        WifiMenuItem {
            objectName: "settingsItem"
            text: qsTr("Settings")
            onTriggered: {
                connectionMenu.close()
                root.settingsChosen()
            }
        }
        WifiMenuItem {
            objectName: "deleteItem"
            text: qsTr("Delete")
            onTriggered: {
                connectionMenu.close()
                root.deleteChosen()
            }
        }
    }
}
