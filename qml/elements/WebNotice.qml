import QtQuick 2.12
import QtQuick.Controls 2.12
import Zel.Gui 1.0

// A short line that tells the person what the display did not do for a tap (save a file, open
// one, start another program), so that no tap is met with nothing. It takes no touch.
Rectangle {
    id: root

    property alias text: _label.text
    property bool shown: false

    readonly property real _margin: ZelStyle.ui.contentMargin

    implicitWidth: _icon.width + _row.spacing + _label.implicitWidth + 2 * _margin
    height: Math.max(_label.implicitHeight, $ZelGui.sp(35)) + 2 * _margin
    radius: 0.15 * height
    color: ZelStyle.ui.baseColor
    border.width: 2
    border.color: ZelStyle.ui.borderColor
    opacity: shown ? 1 : 0

    Behavior on opacity {
        NumberAnimation { duration: 200 }
    }

    Row {
        id: _row

        x: root._margin
        width: root.width - 2 * root._margin
        anchors.verticalCenter: parent.verticalCenter
        spacing: root._margin

        ColoredImage {
            id: _icon

            anchors.verticalCenter: parent.verticalCenter
            width: $ZelGui.sp(35)
            height: width
            source: "qrc:/assets/info-circle.svg"
            sourceSize: Qt.size(width, height)
            color: ZelStyle.ui.primaryColor
        }

        Label {
            id: _label

            objectName: "webNoticeText"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, _row.width - _icon.width - _row.spacing)
            textFormat: Text.PlainText
            wrapMode: Text.WordWrap
            font: $ZelGui.font({ family: ZelStyle.ui.fontFamily, pixelSize: 21 })
            color: ZelStyle.ui.textColor
        }
    }
}
