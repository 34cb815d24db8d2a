import QtQuick 2.12
import Zel.Gui 1.0

// The badge in the middle of a loading page: a turning indicator on a rounded square.
Rectangle {
    objectName: "loadingBadge"
    width: 120
    height: 120
    radius: 0.2 * height
    color: ZelStyle.ui.secondaryColor

    LoadingIndicator {
        objectName: "loadingIndicator"
        anchors.centerIn: parent
        size: 0.6 * 120
        indeterminated: true
        colorCircle: ZelStyle.ui.primaryColor
    }
}
