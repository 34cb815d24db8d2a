import QtQuick 2.15
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// The on-screen keyboard. Fill the window (or a DeviceContainer) with it: the keyboard comes up
// from the bottom edge while a text input has the focus and goes down on Qt.inputMethod.hide().
// Nothing outside the keyboard itself takes any input.
Item {
    id: root

    property int animationType: VirtualKeyboard.NoAnimation
    readonly property bool active: InputContext.inputPanelVisible
    // What is up: "main" or "digits" ("" while no layout could be loaded), and its page.
    readonly property string layoutName: _engine.layout ? _engine.layoutName : ""
    readonly property int pageIndex: _engine.pageIndex
    readonly property bool uppercased: _engine.uppercased
    readonly property Item keyboard: _keyboard

    readonly property var _style: ZelStyle.virtualkeyboard
    readonly property real _height: Math.round(height * _ratio(_style.heightRatio))
    readonly property QtObject _layout: _engine.layout
    readonly property real _top: _height * _style.topRelativeMargin
    readonly property real _bottom: _height * _style.bottomRelativeMargin

    function _ratio(value) {
        return value > 0 && value <= 1 ? value : 0.5;
    }

    // A keypad is about as wide as its keys are high times one and a half, per column.
    function _minimalWidth(page) {
        var rows = page.rows;
        var columns = 0;
        for (var i = 0; i < rows.length; ++i)
            columns = Math.max(columns, rows[i].keys.length);
        var keyHeight = rows.length > 0 ? (_height - _top - _bottom) / rows.length : 0;
        return Math.min(width, Math.max(page.minimumWidth, columns * keyHeight * 1.5));
    }

    function _reportRectangle() {
        var r = active ? mapToItem(null, 0, height - _height, width, _height) : Qt.rect(0, 0, 0, 0);
        InputContext.setKeyboardRectangle(r);
    }

    onActiveChanged: _reportRectangle()
    on_HeightChanged: _reportRectangle()
    onWidthChanged: _reportRectangle()
    Component.onCompleted: _reportRectangle()
    Component.onDestruction: InputContext.setKeyboardRectangle(Qt.rect(0, 0, 0, 0))

    KeyboardEngine {
        id: _engine

        alternativesPopup: _alternatives
    }

    Item {
        id: _keyboard

        objectName: "keyboard"
        width: root.width
        height: root._height
        y: root.active ? root.height - height : root.height
        visible: y < root.height

        Behavior on y {
            enabled: root.animationType === VirtualKeyboard.SlideAnimation

            NumberAnimation {
                id: _slide

                duration: 250
                easing.type: Easing.OutCubic
                onRunningChanged: InputContext.setAnimating(running)
            }
        }

        // Taps between the keys stop here instead of reaching what lies under the keyboard.
        MouseArea {
            anchors.fill: parent
        }

        Loader {
            objectName: "panelBackground"
            anchors.fill: parent
            source: VirtualKeyboardSettings.stylePath.toString() !== ""
                    ? VirtualKeyboardSettings.styleUrl("Panel") : ""
        }

        // Every page of the layout is built once; switching pages only changes which is shown,
        // so no key is destroyed under the finger that switched.
        Repeater {
            model: root._layout ? root._layout.pages : []

            Column {
                id: _rows

                readonly property QtObject page: modelData

                objectName: "page" + index
                // A page of a layout just replaced stays hidden until it is deleted.
                visible: index === root.pageIndex && root._layout !== null
                         && root._layout.pages[index] === page
                x: (parent.width - width) / 2
                y: root._top
                width: page.minimal ? root._minimalWidth(page) : root.width
                height: root._height - root._top - root._bottom

                Repeater {
                    model: _rows.page.rows

                    Row {
                        id: _row

                        readonly property QtObject row: modelData
                        readonly property real totalWeight: {
                            var sum = 0;
                            for (var i = 0; i < row.keys.length; ++i)
                                sum += _engine.weightOf(row.keys[i], row);
                            return sum;
                        }

                        width: _rows.width
                        height: _rows.height / _rows.page.rows.length

                        Repeater {
                            model: _row.row.keys

                            KeyCell {
                                key: modelData
                                engine: _engine
                                width: _row.totalWeight > 0
                                       ? _rows.width * _engine.weightOf(modelData, _row.row)
                                         / _row.totalWeight
                                       : 0
                                height: _row.height
                            }
                        }
                    }
                }
            }
        }
    }

    KeyPreview {
        key: _engine.previewKey
        style: root._style
    }

    AlternativesPopup {
        id: _alternatives

        objectName: "alternatives"
        key: _engine.alternativesKey
        currentIndex: _engine.alternativeIndex
        style: root._style
    }
}
