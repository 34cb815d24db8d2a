import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0

// Small pop-up menu beside a list row. It neither blocks nor darkens the page behind it, so the
// list stays readable while the menu is open.
Popup {
    id: root

    default property alias items: column.data

    width: column.implicitWidth + ZelStyle.ui.contentMargin
    height: column.implicitHeight + ZelStyle.ui.contentMargin
    padding: 0
    modal: false
    dim: false
    z: ZelStyle.z.popup
    closePolicy: Popup.CloseOnPressOutside | Popup.CloseOnEscape

    Overlay.modal: Item {}
    Overlay.modeless: Item {}

    background: Rectangle {
        color: ZelStyle.ui.baseColor
        border.width: 1
        border.color: ZelStyle.ui.borderColor
        opacity: root.visible ? 1 : 0

        Behavior on opacity {
            OpacityAnimator { duration: 300 }
        }
    }

    contentItem: Item {
        ColumnLayout {
            id: column

            anchors.fill: parent
            anchors.margins: ZelStyle.ui.contentMargin / 2
            spacing: 0
        }
    }
}
