import QtQuick 2.12
import QtQuick.Controls 2.12
import Zel.Gui 1.0

// The message dialog of the UI: a title, a wrapped body text and the standard footer buttons,
// centred in its parent over a dimmed background.
Dialog {
    id: root

    property string text: ""

    readonly property real _margin: ZelStyle.ui.contentMargin

    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: Math.min((parent ? parent.width : 0) - 2 * _margin, $ZelGui.sp(450))
    height: implicitHeight + 2 * _margin
    padding: _margin
    spacing: ZelStyle.ui.contentPadding / 2
    // Above the drawer's panel and content, which are popups at the platform's popup z: a
    // dialog opened from a page inside the drawer must not open under it.
    z: ZelStyle.z.popup + 1
    visible: false
    modal: false
    dim: true
    closePolicy: Popup.CloseOnPressOutside | Popup.CloseOnEscape
    font: $ZelGui.font({ family: ZelStyle.ui.fontFamily, pixelSize: 21 })

    background: Rectangle {
        color: ZelStyle.ui.baseColor
        border.width: 2
        border.color: ZelStyle.ui.borderColor
    }

    Overlay.modeless: Rectangle {
        color: ZelStyle.ui.dimmedBackgroundColor
    }

    Overlay.modal: Rectangle {
        color: ZelStyle.ui.dimmedBackgroundColor
    }

    header: Item {
        implicitHeight: _title.height + root._margin
        visible: root.title !== ""

        FlickableText {
            id: _title

            objectName: "popupTitle"
            x: root._margin
            y: root._margin
            width: root.width - 4 * root._margin
            text: root.title
            font: $ZelGui.font({ family: ZelStyle.ui.fontFamily, bold: true,
                                 pixelSize: $ZelGui.sp(22) })
        }
    }

    contentItem: Item {
        implicitHeight: _body.implicitHeight

        Label {
            id: _body

            objectName: "popupText"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.leftMargin: root._margin
            anchors.rightMargin: root._margin
            text: root.text
            font: root.font
            wrapMode: Text.WordWrap
        }
    }

    footer: DialogButtonBox {
        objectName: "popupButtons"
        standardButtons: root.standardButtons
        height: $ZelGui.sp(50) + 2 * root._margin
        spacing: ZelStyle.ui.contentPadding
        leftPadding: root._margin
        rightPadding: root._margin
        bottomPadding: root._margin
        font: root.font
        background: Item {}
    }
}
