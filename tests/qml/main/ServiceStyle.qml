import QtQuick 2.12
import Zel.Gui 1.0

// The main window's colours and font, so that pages under test look as they do in the product.
ZelStyleGlobal {
    ui.primaryColor: "#008440"
    ui.secondaryColor: "#E6E6E6"
    ui.baseColor: Qt.rgba(1, 1, 1, 1)
    ui.textColor: "#3E3E3E"
    ui.fontFamily: "Lato"
    ui.dimmedBackgroundColor: Qt.rgba(0, 0, 0, 0.5)
    ui.customColor1: "#E6E6E6"
    ui.customColor2: "#96D5AD"
    ui.customColor3: "#77B08B"
    ui.customColor4: "#C8C8C8"
}
