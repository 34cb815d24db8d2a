import QtQuick 2.12 as Q
import Zel.Gui 1.0

// The UI's label: the style's text colour and font at the common size; everything else is the
// standard text element's, and a user may override colour and font.
Q.Text {
    id: root

    color: ZelStyle.ui.textColor
    font.family: ZelStyle.ui.fontFamily
    font.pixelSize: 25
}
