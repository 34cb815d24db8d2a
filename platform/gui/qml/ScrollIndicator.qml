import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import Zel.Gui 1.0

// A thin scroll indicator: attach it where a Qt Quick Controls scroll indicator goes
// (ScrollIndicator.vertical: ScrollIndicator { }). alwaysVisible keeps the handle shown
// while the content does not fit, not only during a flick.
T.ScrollIndicator {
    id: root

    property bool alwaysVisible: false
    property color color: ZelStyle.ui.primaryColor
    property real handleSize: 5

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    padding: 2

    contentItem: Rectangle {
        implicitWidth: root.handleSize
        implicitHeight: root.handleSize
        radius: Math.min(width, height) / 2
        color: root.color
        visible: root.size < 1.0
        opacity: root.alwaysVisible || root.active ? 1.0 : 0.0

        Behavior on opacity {
            NumberAnimation { duration: 300 }
        }
    }
}
