import QtQuick 2.12
import QtQuick.Controls 2.12
import Zel.BSP 1.0
import Zel.Gui 1.0

// A full-screen panel that slides in from the edge the device rotation makes the top one and
// covers everything behind it with white. Besides open(), a finger (or the mouse) can pull it
// out from the very edge, whatever the page below does: the window's overlay takes a press
// there before any item, the page included, sees it. That pull is the way back to the list
// that no page can take away (one can cancel its context menu, or hang). Open, it is swiped
// back by the strip along its bottom: gestures on the content never move it.
Item {
    id: root

    default property alias content: _contentContainer.data
    readonly property alias swipeIndicator: _swipeIndicator
    property alias position: _drawer.position
    // The edge a pull starts on, and how far in from it: a few pixels, so that scrolling and
    // sliders of the page below keep the rest of the screen.
    readonly property int edge: _edge()
    readonly property real edgeWidth: $ZelGui.sp(10)

    // Anything but a quarter turn counts as upright.
    readonly property int _rotation: [90, 180, 270].indexOf(DeviceType.rotation) >= 0
                                     ? DeviceType.rotation : 0
    readonly property bool _turned: _rotation === 90 || _rotation === 270
    readonly property int _stripHeight: 30

    function open() {
        if (root.visible)
            _drawer.open()
    }

    function close() {
        _drawer.close()
    }

    function _edge() {
        switch (root._rotation) {
        case 90: return Qt.RightEdge
        case 180: return Qt.BottomEdge
        case 270: return Qt.LeftEdge
        default: return Qt.TopEdge
        }
    }

    anchors.fill: parent

    onVisibleChanged: {
        if (!root.visible)
            _drawer.close()
    }

    Component {
        id: _whiteCover

        DeviceContainer {
            Rectangle {
                anchors.fill: parent
                color: "white"
            }
        }
    }

    Drawer {
        id: _drawer

        objectName: "topDrawerPanel"
        edge: root.edge
        width: DeviceType.screenWidth
        height: DeviceType.screenHeight
        z: ZelStyle.z.popup
        interactive: true
        dragMargin: root.edgeWidth
        closePolicy: Popup.NoAutoClose
        // The style pads the side opposite the edge; the panel must be exactly the screen.
        padding: 0
        topPadding: 0
        bottomPadding: 0
        leftPadding: 0
        rightPadding: 0
        background: Item {}
        Overlay.modal: _whiteCover
        Overlay.modeless: _whiteCover

        onPositionChanged: Qt.inputMethod.hide()

        DeviceContainer {
            Item {
                id: _swipeIndicator

                objectName: "swipeIndicator"
                anchors.bottom: parent.bottom
                width: parent.width
                height: root._stripHeight

                IndicatingArrow {
                    objectName: "swipeArrow"
                    anchors.centerIn: parent
                    state: _drawer.position > 0 ? "opened" : ""
                }
            }
        }

        // Its own popup, so that a swipe on the content (even one nothing inside takes) never
        // reaches the drawer's drag handling.
        Popup {
            id: _contentPopup

            objectName: "topDrawerContent"
            x: root._rotation === 90 ? _drawer.width - width - DeviceType.maskMarginRight
                                     : DeviceType.maskMarginLeft
            y: root._rotation === 180 ? _drawer.height - height - DeviceType.maskMarginBottom
                                      : DeviceType.maskMarginTop
            width: root._turned ? DeviceType.availableHeight - root._stripHeight
                                : DeviceType.availableWidth
            height: root._turned ? DeviceType.availableWidth
                                 : DeviceType.availableHeight - root._stripHeight
            z: ZelStyle.z.popup
            padding: 0
            modal: false
            dim: false
            closePolicy: Popup.NoAutoClose
            background: Item {}
            visible: _drawer.position > 0

            DeviceContainer {
                contentMarginsEnabled: false

                Item {
                    id: _contentContainer

                    objectName: "topDrawerContentContainer"
                    anchors.fill: parent
                }
            }
        }
    }
}
