import QtQuick 2.12
import QtQuick.Controls 2.12 as QQC2
import QtQuick.Layouts 1.12
import QtQuick.Window 2.12
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// A page for forms: its children are stacked in a column that scrolls, and the scrolling area
// gives way to the on-screen keyboard so that the focused field stays in view.
BasePage {
    id: root

    default property alias content: _column.data
    readonly property bool vkbVisible: _inputPanelVisible && _keyboardHeight > 0

    property bool _inputPanelVisible: Qt.inputMethod.visible
    // The rectangle is absent while the keyboard is hidden.
    property real _keyboardHeight: InputContext.keyboardRectangle
                                   ? InputContext.keyboardRectangle.height : 0

    // Brings the focused item's bottom edge to the bottom of the visible part when any of its
    // edges lies outside it, without scrolling past either end of the content.
    function ensureVisible() {
        var item = root.Window.activeFocusItem;
        if (!item || !_isInArea(item))
            return;
        var y = item.mapToItem(_area.contentItem, 0, 0).y;
        var e = y + item.height;
        var top = _area.contentY;
        var bottom = top + _area.height;
        if (y < top || y > bottom || e < top || e > bottom)
            _area.contentY = Math.max(0, Math.min(y - _area.height + item.height,
                                                  _area.contentHeight - _area.height));
    }

    function _isInArea(item) {
        for (var p = item; p; p = p.parent) {
            if (p === _area.contentItem)
                return true;
        }
        return false;
    }

    Flickable {
        id: _area

        objectName: "inputArea"
        anchors.fill: parent
        anchors.bottomMargin: root.vkbVisible ? root._keyboardHeight : 0
        contentWidth: width
        contentHeight: _column.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        flickableDirection: Flickable.VerticalFlick
        interactive: visibleArea.heightRatio < 1.0

        onInteractiveChanged: {
            if (root.vkbVisible)
                root.ensureVisible();
        }

        ColumnLayout {
            id: _column

            objectName: "inputColumn"
            width: _area.width
            height: Math.max(_area.height, implicitHeight)
        }

        QQC2.ScrollIndicator.vertical: ScrollIndicator {
            objectName: "inputScrollIndicator"
            alwaysVisible: true
            visible: _area.interactive
            color: ZelStyle.ui.primaryColor
            handleSize: 5
        }
    }
}
