import QtQuick 2.12
import Zel.Gui 1.0

// An icon-font glyph that fills its box, centred.
Text {
    font: $ZelGui.fontAwesome5Solid(500)
    fontSizeMode: Text.Fit
    minimumPixelSize: 1
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
