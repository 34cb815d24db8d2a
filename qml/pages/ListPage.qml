import QtQuick 2.12
import QtQuick.Controls 2.12 as QQC2
import Zel.Gui 1.0

// A page whose content is one list filling the content area; the list can only be flicked
// when its rows do not all fit.
BasePage {
    id: root

    property alias model: _list.model
    property alias delegate: _list.delegate
    property alias section: _list.section
    property alias interactive: _list.interactive
    property alias listView: _list

    ListView {
        id: _list

        objectName: "pageList"
        anchors.fill: parent
        clip: true
        interactive: visibleArea.heightRatio < 1.0

        QQC2.ScrollIndicator.vertical: ScrollIndicator {
            objectName: "pageListScrollIndicator"
            alwaysVisible: true
            visible: _list.interactive
            color: ZelStyle.ui.primaryColor
            handleSize: 5
        }
    }
}
