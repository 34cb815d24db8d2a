import QtQuick 2.15
import QtQuick.Controls 2.15
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// The on-screen keyboard. Fill the window (or a DeviceContainer) with it: the keyboard comes up
// from the bottom edge while a text input has the focus and goes down on Qt.inputMethod.hide().
// Nothing outside the keyboard itself takes any input, and the keyboard takes its input even
// above modal popups and drawers: its keys live in a popup of their own (non-modal, never
// focused) laid exactly over the keyboard's area and turned with the panel.
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
    // How far the keyboard is up, 0 to 1. Only this slides: a change of the panel's size (its
    // first layout, a turn of the screen) puts a lowered keyboard straight below the bottom edge
    // instead of sliding it across the screen, where its key layer would take the taps.
    property real _shown: active ? 1 : 0
    // Where the keyboard's top edge is, in the panel.
    readonly property real _slideY: height - _shown * _height
    // Room above the keyboard for the preview bubble and the alternatives while a key is held.
    readonly property Item _heldKey: _engine.alternativesKey || _engine.previewKey
    readonly property real _extra: _heldKey ? Math.ceil(_heldKey.height * 1.3) : 0
    readonly property rect _region: Qt.rect(0, _slideY - _extra, width, _height + _extra)

    Behavior on _shown {
        enabled: root.animationType === VirtualKeyboard.SlideAnimation

        NumberAnimation {
            duration: 250
            easing.type: Easing.OutCubic
            onRunningChanged: InputContext.setAnimating(running)
        }
    }

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

    // The turn of the panel on the screen: the rotations of the panel and its ancestors.
    function _rotation() {
        var turn = 0;
        for (var item = root; item && item !== _layer.parent; item = item.parent)
            turn += item.rotation;
        return ((turn % 360) + 360) % 360;
    }

    // The key popup covers the keyboard's area (and the room above a held key) on the screen.
    function _place() {
        if (!_layer.parent)
            return;
        var r = mapToItem(_layer.parent, _region.x, _region.y, _region.width, _region.height);
        _layer.x = r.x;
        _layer.y = r.y;
        _layer.width = r.width;
        _layer.height = r.height;
        _frame.rotation = _rotation();
    }

    // The stacking of the panel among the other items and popups of the overlay.
    function _overlayZ() {
        var item = root;
        while (item.parent && item.parent !== _layer.parent)
            item = item.parent;
        return item.parent ? item.z : root.z;
    }

    onActiveChanged: _reportRectangle()
    on_HeightChanged: _reportRectangle()
    onWidthChanged: _reportRectangle()
    on_RegionChanged: _place()
    Component.onCompleted: {
        _reportRectangle();
        _place();
    }
    Component.onDestruction: InputContext.setKeyboardRectangle(Qt.rect(0, 0, 0, 0))

    KeyboardEngine {
        id: _engine

        alternativesPopup: _alternatives
    }

    Popup {
        id: _layer

        objectName: "keyLayer"
        parent: root.Overlay.overlay
        visible: root._shown > 0 && parent !== null
        z: root._overlayZ()
        modal: false
        dim: false
        focus: false
        closePolicy: Popup.NoAutoClose
        padding: 0
        background: null

        onParentChanged: root._place()

        Item {
            id: _frame

            // The panel's region, as in the panel, turned to lie on the screen as the panel does.
            width: root._region.width
            height: root._region.height
            x: (_layer.width - width) / 2
            y: (_layer.height - height) / 2

            Item {
                id: _keyboard

                objectName: "keyboard"
                y: root._extra
                width: root.width
                height: root._height

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

                // Over the keys, and placed by them: they reach above the keyboard.
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
        }
    }
}
