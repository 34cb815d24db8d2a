import QtQuick 2.12
import QtQuick 2.12 as Q
import QtQuick.Controls 2.12 as QQC2
import QtQuick.Layouts 1.12
import Zel.BSP 1.0
import Zel.Gui 1.0
import "../elements"

// The frame of every settings page: a top bar with the back chevron, the title and an optional
// action button, and a content area below it. Pages are pushed and popped on the StackView
// they live in; outside a stack the page simply shows.
Rectangle {
    id: root

    default property alias content: _content.data
    property string title: ""
    property bool backEnabled: true
    readonly property bool active: QQC2.StackView.view ? QQC2.StackView.status === QQC2.StackView.Active : visible
    property alias action: _action
    property int popCount: 1

    signal actionTriggered()
    signal backTriggered()

    function push(page, properties) {
        _hideKeyboard();
        if (QQC2.StackView.view)
            QQC2.StackView.view.push(page, properties !== undefined ? properties : {});
    }

    function back() {
        var stack = QQC2.StackView.view;
        if (stack && backEnabled) {
            _hideKeyboard();
            if (popCount <= 1) {
                stack.pop();
            } else {
                // Fewer pages below than popCount: go back to the bottom of the stack.
                var target = stack.get(Math.max(0, QQC2.StackView.index - popCount), QQC2.StackView.ForceLoad);
                stack.pop(target);
            }
        }
        backTriggered();
    }

    function _hideKeyboard() {
        if (Qt.inputMethod.visible)
            Qt.inputMethod.hide();
    }

    width: QQC2.StackView.view ? QQC2.StackView.view.width : DeviceType.availableWidth
    height: QQC2.StackView.view ? QQC2.StackView.view.height : DeviceType.availableHeight
    color: ZelStyle.ui.baseColor

    RowLayout {
        id: _topBar

        objectName: "topBar"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: ZelStyle.ui.contentMargin
        anchors.rightMargin: ZelStyle.ui.contentMargin
        height: 80
        spacing: 20

        Item {
            objectName: "backButton"
            Layout.preferredWidth: Math.max(50, _chevron.implicitWidth)
            Layout.preferredHeight: 50
            Layout.alignment: Qt.AlignVCenter
            visible: root.backEnabled

            Q.Text {
                id: _chevron

                anchors.centerIn: parent
                text: "\uf053"
                font: $ZelGui.fontAwesome5Solid(30)
                color: ZelStyle.ui.primaryColor
            }

            MyMouseArea {
                objectName: "backTouch"
                anchors.fill: parent
                onClicked: root.back()
            }
        }

        Q.Text {
            objectName: "pageTitle"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.leftMargin: ZelStyle.ui.contentPadding
            text: root.title
            color: ZelStyle.ui.primaryColor
            font: $ZelGui.font({ family: ZelStyle.ui.fontFamily, pixelSize: 30, bold: true,
                                 capitalization: Font.AllUppercase })
            horizontalAlignment: Q.Text.AlignLeft
            verticalAlignment: Q.Text.AlignVCenter
            wrapMode: Q.Text.WordWrap
        }

        Button {
            id: _action

            objectName: "actionButton"
            Layout.alignment: Qt.AlignVCenter
            visible: text !== "" || icon.toString() !== ""
            onClicked: root.actionTriggered()
        }
    }

    Item {
        id: _content

        objectName: "contentArea"
        anchors.top: _topBar.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: ZelStyle.ui.contentMargin
    }
}
