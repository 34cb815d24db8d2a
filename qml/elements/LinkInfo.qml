import QtQuick 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0

// One of the display's own links: its glyph and address.
RowLayout {
    id: root

    property string glyph
    property var address

    spacing: 6

    Text {
        text: root.glyph
        font: $ZelGui.fontAwesome5Light(18)
        color: ZelStyle.ui.primaryColor
    }

    Text {
        text: root.address === undefined || root.address === null ? "" : String(root.address)
        font.family: ZelStyle.ui.fontFamily
        font.pixelSize: 18
        color: ZelStyle.ui.textColor
    }
}
