import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12
import ControllerSelect 1.0
import Zel.Gui 1.0
import Zel.System 1.0
import Zel.VirtualKeyboard 1.0
import "../elements"

// Where the user finds and chooses a controller: a search of the network, the controllers that
// answered, an address typed by hand, the display's own links, and the way to the network
// settings pages, which are pushed on top of the list.
StackView {
    id: root

    readonly property int rowMargin: 20
    readonly property int sideMargin: 14
    readonly property var columnSizes: [0.5, 0.25, 0.25]

    signal displayController(string address)

    function popToInitialItem() {
        root.pop(null, StackView.Immediate)
        // An interrupted transition may have left the list page shifted aside.
        _listPage.x = 0
    }

    function _pushPage(key, component) {
        var page = ItemCache.getItem(key, component, root)
        if (!page || root.find(function (item) { return item === page }) !== null)
            return
        root.push(page)
    }

    initialItem: _listPage

    Component {
        id: wifiPage

        WifiPage {}
    }

    Component {
        id: ethernetSettingsPage

        EthernetSettingsPage {}
    }

    Component {
        id: ethernetInfoPage

        EthernetInfoPage {}
    }

    Component {
        id: controllerRowDelegate

        Item {
            id: _row

            readonly property var rowData: ({ "name": model.cName, "serial": model.cSerialNumber,
                                              "ipAddress": model.cIpAddress })
            readonly property bool _selected: ListView.isCurrentItem

            objectName: "controllerRow" + index
            width: ListView.view.width
            height: 50

            ColumnRow {
                anchors.fill: parent
                anchors.leftMargin: ZelStyle.ui.contentMargin
                anchors.rightMargin: ZelStyle.ui.contentMargin
                texts: [_row.rowData.name, _row.rowData.serial, _row.rowData.ipAddress]
                columnSizes: _row.ListView.view.columnSizes
                color: _row._selected ? ZelStyle.ui.primaryColor : ZelStyle.ui.textColor
            }

            MyMouseArea {
                objectName: "controllerRowTouch"
                anchors.fill: parent
                onClicked: {
                    var view = _row.ListView.view
                    view.currentIndex = _row._selected ? -1 : index
                }
            }
        }
    }

    Rectangle {
        id: _listPage

        objectName: "controllerListFirstPage"
        color: ZelStyle.ui.baseColor

        Item {
            id: _topHeader

            width: parent.width
            height: 30

            Image {
                id: _logo

                objectName: "logo"
                source: "qrc:/assets/kelvo_logo.svg"
                sourceSize.height: 0.9 * _topHeader.height
                fillMode: Image.PreserveAspectFit

                MyMouseArea {
                    objectName: "logoTouch"
                    anchors.fill: parent
                    onClicked: _wifiHandler.tap()
                    onDoubleClicked: _wifiHandler.tap()
                }
            }
        }

        // Five taps on the logo, each within 500 ms of the one before, open the Wi-Fi page.
        QtObject {
            id: _wifiHandler

            property int clickCount: 0

            function tap() {
                clickCount += 1
                _tapWindow.restart()
            }

            objectName: "wifiHandler"

            onClickCountChanged: {
                if (clickCount < 5)
                    return
                root._pushPage("WIFI_PAGE", wifiPage)
                _tapWindow.restart()
            }
        }

        Timer {
            id: _tapWindow

            interval: 500
            onTriggered: _wifiHandler.clickCount = 0
        }

        ColumnLayout {
            anchors.top: _topHeader.bottom
            anchors.topMargin: 2 * ZelStyle.ui.contentPadding
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            spacing: 0

            RowLayout {
                Layout.topMargin: root.rowMargin
                Layout.fillWidth: true
                spacing: 15

                Text {
                    text: qsTr("Search network")
                }

                Button {
                    objectName: "searchButton"
                    icon: "qrc:/assets/search_icon_white.svg"
                    enabled: !$ControllerListModel.loading
                    onClicked: $ControllerListModel.update()
                }

                Item {
                    Layout.fillWidth: true
                }

                Text {
                    text: qsTr("Manual select")
                }

                IPTextField {
                    id: _manualAddress

                    // Leading zeros are taken as decimal, as the person meant them.
                    function _submit() {
                        if (acceptableInput)
                            root.displayController(Address.canonical(text))
                    }

                    objectName: "manualAddressField"
                    Layout.preferredWidth: 260
                    placeholderText: qsTr("Enter IP address")
                    EnterKeyAction.actionId: EnterKeyAction.Done
                    EnterKeyAction.enabled: acceptableInput

                    // An unfinished address is never stored: the enter key is disabled for it,
                    // and a hardware Return is refused the same way.
                    Keys.onReleased: {
                        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                            event.accepted = true
                            _submit()
                        }
                    }
                }

                Button {
                    objectName: "manualConnectButton"
                    text: qsTr("Connect")
                    enabled: _manualAddress.acceptableInput
                    onClicked: _manualAddress._submit()
                }
            }

            RowLayout {
                Layout.topMargin: 10
                Layout.fillWidth: true
                spacing: 0

                Text {
                    objectName: "statusText"
                    color: ZelStyle.ui.primaryColor
                    text: $ControllerListModel.loading ? qsTr("Searching") + "..."
                        : $ControllerListModel.count > 0 ? qsTr("Select a controller") : ""
                }

                Item {
                    Layout.fillWidth: true
                }

                LinkInfo {
                    objectName: "wifiLink"
                    visible: NetworkManager.wifiConnected
                    glyph: "\uf1eb"
                    Layout.leftMargin: 15
                    address: NetworkManager.wifiConnectionInfo.ipAddress
                }

                LinkInfo {
                    objectName: "ethernetLink"
                    visible: NetworkManager.ethernetConnected
                    glyph: "\uf796"
                    Layout.leftMargin: 15
                    address: NetworkManager.ethernetConnectionInfo.ipAddress
                }

                Button {
                    objectName: "ethernetInfoButton"
                    Layout.leftMargin: 15
                    icon: "qrc:/assets/info-circle.svg"
                    visible: NetworkManager.ethernetConnected
                    onClicked: root._pushPage("ETHERNET_INFO_PAGE", ethernetInfoPage)
                }

                Button {
                    objectName: "settingsButton"
                    Layout.leftMargin: 15
                    icon: "qrc:/assets/cog.svg"
                    onClicked: root._pushPage("ETHERNET_SETTINGS_PAGE", ethernetSettingsPage)
                }
            }

            Rectangle {
                id: _columnHeader

                objectName: "columnHeader"
                Layout.topMargin: root.rowMargin
                Layout.leftMargin: root.sideMargin
                Layout.rightMargin: root.sideMargin
                Layout.fillWidth: true
                Layout.preferredHeight: 40
                color: ZelStyle.ui.customColor1
                radius: 0.15 * height

                ColumnRow {
                    anchors.fill: parent
                    anchors.leftMargin: ZelStyle.ui.contentMargin
                    anchors.rightMargin: ZelStyle.ui.contentMargin
                    texts: [qsTr("Controller name"), qsTr("Serial number"), qsTr("IP address")]
                    columnSizes: root.columnSizes
                    bold: true
                }
            }

            ListView {
                id: _list

                objectName: "controllerList"
                Layout.leftMargin: root.sideMargin
                Layout.rightMargin: root.sideMargin
                Layout.fillWidth: true
                Layout.fillHeight: true
                model: $ControllerListModel
                delegate: controllerRowDelegate
                // The rows read their column widths from the view they are in.
                readonly property var columnSizes: root.columnSizes
                currentIndex: -1
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                highlightFollowsCurrentItem: false
                ScrollBar.vertical: ScrollBar {}

                // A new search empties the list: a kept index would pick whatever arrives
                // in that place next.
                readonly property bool _searching: $ControllerListModel.loading

                on_SearchingChanged: {
                    if (_searching)
                        currentIndex = -1
                }
            }

            Button {
                objectName: "listConnectButton"
                Layout.topMargin: root.rowMargin
                Layout.alignment: Qt.AlignRight
                text: qsTr("Connect")
                enabled: _list.count > 0 && _list.currentIndex >= 0 && _list.currentItem !== null
                onClicked: root.displayController(_list.currentItem.rowData.ipAddress)
            }
        }
    }
}
