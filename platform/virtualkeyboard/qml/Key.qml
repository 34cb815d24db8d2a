import QtQml 2.15
import Zel.VirtualKeyboard 1.0

// One key of a layout row.
QtObject {
    // VirtualKeyboard.KeyCharacter unless the key is a function key or a filler.
    property int type: VirtualKeyboard.KeyCharacter
    // Qt's key code of what the key types.
    property int keyCode: 0
    property string text: ""
    // Offered on a long press: one text of single characters, or a list of texts.
    property var alternativeKeys: []
    // Relative width in the row; 0 or less takes the row's keyWeight.
    property real weight: 0
}
