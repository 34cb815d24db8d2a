import QtQml 2.12
import Zel.VirtualKeyboard 1.0

// Digits-only fields: addresses and numbers.
KeyboardLayout {
    // keypad
    KeyboardPage {
        minimal: true
        minimumWidth: 200

        KeyboardRow {
            keyWeight: 160

            Key { type: VirtualKeyboard.KeyFiller }
            Key { text: "1"; keyCode: Qt.Key_1 }
            Key { text: "2"; keyCode: Qt.Key_2 }
            Key { text: "3"; keyCode: Qt.Key_3 }
            Key { type: VirtualKeyboard.KeyHideKeyboard }
        }

        KeyboardRow {
            keyWeight: 160

            Key { type: VirtualKeyboard.KeyFiller }
            Key { text: "4"; keyCode: Qt.Key_4 }
            Key { text: "5"; keyCode: Qt.Key_5 }
            Key { text: "6"; keyCode: Qt.Key_6 }
            Key { type: VirtualKeyboard.KeyFiller }
        }

        KeyboardRow {
            keyWeight: 160

            Key { type: VirtualKeyboard.KeyFiller }
            Key { text: "7"; keyCode: Qt.Key_7 }
            Key { text: "8"; keyCode: Qt.Key_8 }
            Key { text: "9"; keyCode: Qt.Key_9 }
            Key { type: VirtualKeyboard.KeyFiller }
        }

        KeyboardRow {
            keyWeight: 160

            Key { type: VirtualKeyboard.KeyBackspace; keyCode: Qt.Key_Backspace }
            Key { text: "."; keyCode: Qt.Key_Period; alternativeKeys: [Qt.locale().decimalPoint, ":"] }
            Key { text: "0"; keyCode: Qt.Key_0 }
            Key { text: "-"; keyCode: Qt.Key_Minus }
            Key { type: VirtualKeyboard.KeyEnter; keyCode: Qt.Key_Return }
        }
    }
}
