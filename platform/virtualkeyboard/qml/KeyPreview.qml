import QtQuick 2.15
import Zel.Gui 1.0

// The bubble over a pressed character key that shows what it types.
Rectangle {
    id: root

    property Item key: null
    property var style

    readonly property string _text: key ? (key.uppercased ? key.displayText.toUpperCase()
                                                          : key.displayText) : ""
    readonly property point _origin: key && parent ? key.mapToItem(parent, 0, 0) : Qt.point(0, 0)

    visible: key !== null
    width: key ? key.width * 1.2 : 0
    height: key ? key.height * 1.3 : 0
    x: Math.max(0, Math.min(parent.width - width, _origin.x + (key ? key.width : 0) / 2 - width / 2))
    y: _origin.y - height + (key ? key.height * 0.15 : 0)
    radius: height * 0.1
    color: style.previewKeyBackgroundColor

    Text {
        anchors.fill: parent
        anchors.margins: parent.height * 0.15
        text: root._text
        color: root.style.previewKeyFontColor
        font: $ZelGui.font({ family: root.style.fontFamily, pixelSize: 500 })
        fontSizeMode: Text.Fit
        minimumPixelSize: 4
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
