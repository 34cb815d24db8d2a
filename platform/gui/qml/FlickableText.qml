import QtQuick 2.15

// One line of text. When it is wider than the item it can be dragged sideways and, with
// autoScrollEnabled, scrolls to its end and back by itself. It takes no child items, as on the
// board: a document that declares one fails to load.
Flickable {
    id: root

    property alias text: _label.text
    property alias font: _label.font
    property alias color: _label.color
    property alias horizontalAlignment: _label.horizontalAlignment
    property alias verticalAlignment: _label.verticalAlignment
    default property int _noChildItems
    property bool autoScrollEnabled: true
    property int scrollPause: 1500
    property real scrollSpeed: 60 // pixels per second
    readonly property bool overflowing: _label.implicitWidth > width
    readonly property real _travel: Math.max(0, _label.implicitWidth - width)

    implicitWidth: _label.implicitWidth
    implicitHeight: _label.implicitHeight
    contentWidth: Math.max(width, _label.implicitWidth)
    contentHeight: height
    flickableDirection: Flickable.HorizontalFlick
    boundsBehavior: Flickable.StopAtBounds
    interactive: overflowing
    clip: true

    onOverflowingChanged: {
        if (!root.overflowing)
            root.contentX = 0
    }

    flickableData: [
        Text {
            id: _label

            width: root.contentWidth
            height: root.height
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideNone
            wrapMode: Text.NoWrap
        },

        SequentialAnimation {
            running: root.autoScrollEnabled && root.overflowing && !root.moving && root.visible
            loops: Animation.Infinite
            onRunningChanged: {
                if (!running && !root.moving)
                    root.contentX = 0
            }

            PauseAnimation { duration: root.scrollPause }
            NumberAnimation {
                target: root
                property: "contentX"
                from: 0
                to: root._travel
                duration: Math.max(1, root._travel / root.scrollSpeed * 1000)
            }
            PauseAnimation { duration: root.scrollPause }
            NumberAnimation {
                target: root
                property: "contentX"
                to: 0
                duration: 300
            }
        }
    ]
}
