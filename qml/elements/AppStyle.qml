import QtQuick 2.12
import Zel.Gui 1.0

// The display's colours, font, timings and keyboard look, defined once: the main window and the
// tests that show pages or the keyboard use this same block.
ZelStyleGlobal {
    id: root

    // The keys that share the function keys' face follow it through this one value: a binding
    // inside the style group to another of its keys would loop.
    readonly property color _functionKeyBackgroundColor: root.ui.customColor1

    ui.primaryColor: "#008440"
    ui.secondaryColor: "#E6E6E6"
    ui.baseColor: Qt.rgba(1, 1, 1, 1)
    ui.textColor: "#3E3E3E"
    ui.selectionColor: "darkGrey"
    ui.fontFamily: "Lato"
    ui.dimmedBackgroundColor: Qt.rgba(0, 0, 0, 0.5)
    ui.customColor1: "#E6E6E6"
    ui.customColor2: "#96D5AD"
    ui.customColor3: "#77B08B"
    ui.customColor4: "#C8C8C8"

    usability.longPressInterval: 1000

    virtualkeyboard.displayLanguageNameOnSpaceKey: false
    virtualkeyboard.heightRatio: /[34]/.test($ZelGui.envVar("ZEL_DEVICE_TYPE")) ? 0.6 : undefined
    virtualkeyboard.fontFamily: root.ui.fontFamily
    virtualkeyboard.panelBackgroundColor: "white"
    virtualkeyboard.keyBackgroundColor: "white"
    virtualkeyboard.functionKeyFontColor: root.ui.textColor
    virtualkeyboard.functionKeyBackgroundColor: root._functionKeyBackgroundColor
    virtualkeyboard.spaceKeyBackgroundColor: root._functionKeyBackgroundColor
    virtualkeyboard.previewKeyBackgroundColor: root._functionKeyBackgroundColor
    virtualkeyboard.alternateKeysBackgroundColor: root._functionKeyBackgroundColor
    virtualkeyboard.enterKeyBackgroundColor: root._functionKeyBackgroundColor
    virtualkeyboard.keyFontColor: root.ui.textColor
    virtualkeyboard.previewKeyFontColor: root.ui.textColor
    virtualkeyboard.enterKeyFontColor: root.ui.primaryColor
    virtualkeyboard.functionKeyActiveFontColor: root.ui.primaryColor
    virtualkeyboard.topRelativeMargin: 0.04
    virtualkeyboard.keyRelativeOutterMargin: 0.1
}
