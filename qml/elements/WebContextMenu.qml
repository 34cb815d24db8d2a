import QtQuick 2.12
import QtQuick.Controls 2.12
import QtWebEngine 1.8

// The web page's context menu: the way back to the controller list, and the view's own
// Back, Forward and Reload.
Menu {
    id: root

    property var view: null

    signal openControllerList()

    width: 350

    MenuItem {
        objectName: "openControllerListItem"
        text: qsTr("Open controller list")
        icon.source: "qrc:/assets/cog.svg"
        onTriggered: root.openControllerList()
    }

    MenuSeparator {}

    MenuItem {
        readonly property var webAction: root.view.action(WebEngineView.Back)

        objectName: "backItem"
        text: webAction.text
        enabled: webAction.enabled
        icon.name: webAction.iconName
        onTriggered: webAction.trigger()
    }

    MenuItem {
        readonly property var webAction: root.view.action(WebEngineView.Forward)

        objectName: "forwardItem"
        text: webAction.text
        enabled: webAction.enabled
        icon.name: webAction.iconName
        onTriggered: webAction.trigger()
    }

    MenuItem {
        readonly property var webAction: root.view.action(WebEngineView.Reload)

        objectName: "reloadItem"
        text: webAction.text
        enabled: webAction.enabled
        icon.name: webAction.iconName
        onTriggered: webAction.trigger()
    }
}
