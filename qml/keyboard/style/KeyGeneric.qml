import QtQuick 2.12
import QtGraphicalEffects 1.12
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// Character keys and every kind of key without a style of its own: an icon glyph when the key
// has one, its label otherwise, both as large as the key allows.
AbstractKey {
    id: root

    property bool dropShadow: true

    readonly property real _innerMargin: relativeInnerMargin
                                         * Math.min(contentContainer.width, contentContainer.height)

    // The shadow is a GL effect: the software renderer would draw the key as nothing at all.
    // Each shadow is an offscreen layer drawn with every frame, so only while the keyboard is
    // up: the hidden keyboard exists from the start and would slow the first frames down.
    contentContainer.layer.enabled: dropShadow && GraphicsInfo.api !== GraphicsInfo.Software
                                    && Qt.inputMethod.visible
    contentContainer.layer.effect: DropShadow {
        horizontalOffset: 0
        verticalOffset: 3
        radius: 8.0
        samples: 17
        color: Qt.rgba(0, 0, 0, 0.3)
        cached: true
    }

    Glyph {
        id: _icon

        objectName: "icon"
        anchors.fill: parent
        anchors.margins: root._innerMargin
        visible: root.icon !== ""
        text: root.icon
        color: root.textColor
        rotation: root.iconRotation
    }

    Text {
        objectName: "label"
        anchors.fill: parent
        anchors.margins: root._innerMargin
        visible: !_icon.visible
        text: root.uppercased && !root.functionKey ? root.displayText.toUpperCase()
                                                   : root.displayText
        font: $ZelGui.font({ family: root.style.fontFamily, pixelSize: 500 })
        fontSizeMode: Text.Fit
        minimumPixelSize: 1
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: root.textColor
    }
}
