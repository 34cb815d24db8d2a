import QtQuick 2.15
import Zel.Gui 1.0

// The row of alternatives over a held key; the finger picks one by sliding along it.
Rectangle {
    id: root

    property Item key: null
    property int currentIndex: -1
    property var style

    readonly property var _texts: key ? key.alternativeKeys : []
    readonly property real _cellWidth: key ? key.width : 0
    readonly property point _origin: key && parent ? key.mapToItem(parent, 0, 0) : Qt.point(0, 0)
    readonly property int _own: key ? Math.max(0, _texts.indexOf(key.uppercased
                                               ? key.text.toUpperCase() : key.text)) : 0

    // The alternative under a scene point, -1 when the finger has left the key and the row.
    function indexAt(scenePoint) {
        var p = mapFromItem(null, scenePoint.x, scenePoint.y);
        if (p.y < -height || p.y > 2 * height || _texts.length === 0)
            return -1;
        return Math.max(0, Math.min(_texts.length - 1, Math.floor(p.x / _cellWidth)));
    }

    visible: key !== null
    width: _cellWidth * _texts.length
    height: key ? key.height : 0
    // The key's own character sits straight above the key where the panel's edges allow.
    x: Math.max(0, Math.min(parent.width - width, _origin.x - _own * _cellWidth))
    y: _origin.y - height
    radius: height * 0.1
    color: style.alternateKeysBackgroundColor

    // Cells are placed by index rather than by a positioner, so that indexAt() holds from the
    // moment the row opens, before the next frame lays anything out.
    Item {
        anchors.fill: parent

        Repeater {
            model: root._texts

            Item {
                objectName: "alternative_" + modelData
                x: index * root._cellWidth
                width: root._cellWidth
                height: root.height

                Rectangle {
                    anchors.fill: parent
                    anchors.margins: parent.height * 0.06
                    radius: height * 0.1
                    visible: index === root.currentIndex
                    color: root.style.keyBackgroundColor
                }

                Text {
                    anchors.fill: parent
                    anchors.margins: parent.height * 0.2
                    text: modelData
                    color: index === root.currentIndex ? root.style.functionKeyActiveFontColor
                                                       : root.style.keyFontColor
                    font: $ZelGui.font({ family: root.style.fontFamily, pixelSize: 500 })
                    fontSizeMode: Text.Fit
                    minimumPixelSize: 4
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
            }
        }
    }
}
