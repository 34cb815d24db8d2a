import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import Zel.Gui 1.0

// A touch-sized push button with a text (which may be an icon glyph in the icon font).
T.Button {
    id: root

    property color color: ZelStyle.ui.customColor1
    property color textColor: ZelStyle.ui.textColor

    implicitWidth: Math.max(implicitBackgroundWidth, implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight, implicitContentHeight + topPadding + bottomPadding)
    padding: 8
    font.family: ZelStyle.ui.fontFamily
    font.pixelSize: 20

    contentItem: Text {
        text: root.text
        font: root.font
        color: root.textColor
        opacity: root.enabled ? 1.0 : 0.4
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 40
        implicitHeight: 40
        radius: height * 0.15
        color: root.down ? Qt.darker(root.color, 1.15) : root.color
        border.width: root.visualFocus ? 2 : 0
        border.color: ZelStyle.ui.primaryColor
    }
}
