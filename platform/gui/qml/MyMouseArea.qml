import QtQuick 2.15
import Zel.Gui 1.0

// The platform's touch area: a mouse area with the platform's long-press time.
MouseArea {
    id: root

    pressAndHoldInterval: ZelStyle.usability.longPressInterval
}
