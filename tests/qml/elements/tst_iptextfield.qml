import QtQuick 2.12
import QtTest 1.2
import "qrc:/qml/elements"

Item {
    width: 400
    height: 200

    IPTextField {
        id: field

        width: 300
    }

    IPTextField {
        id: plainField

        withPort: false
        width: 300
    }

    TestCase {
        name: "IPTextField"
        when: windowShown

        function init() {
            field.text = "";
            field.forceActiveFocus();
        }

        function type(keys) {
            for (var i = 0; i < keys.length; ++i)
                keyClick(keys[i]);
        }

        function test_typing_data() {
            return [
                { tag: "plain address", keys: "192.168.1.1", text: "192.168.1.1", acceptable: true },
                { tag: "255 in the last number", keys: "10.0.0.255", text: "10.0.0.255", acceptable: true },
                { tag: "leading zeros", keys: "192.168.001.010", text: "192.168.001.010", acceptable: true },
                { tag: "address with port", keys: "10.0.0.1:80", text: "10.0.0.1:80", acceptable: true },
                { tag: "port 0 refused", keys: "10.0.0.1:0", text: "10.0.0.1:", acceptable: false },
                { tag: "port 65535", keys: "10.0.0.1:65535", text: "10.0.0.1:65535", acceptable: true },
                { tag: "port 65536 refused", keys: "10.0.0.1:65536", text: "10.0.0.1:6553", acceptable: true },
                { tag: "port 99999 refused", keys: "10.0.0.1:99999", text: "10.0.0.1:9999", acceptable: true },
                { tag: "three numbers", keys: "1.2.3", text: "1.2.3", acceptable: false },
                { tag: "three numbers and a dot", keys: "1.2.3.", text: "1.2.3.", acceptable: false },
                { tag: "colon without port", keys: "1.2.3.4:", text: "1.2.3.4:", acceptable: false },
                { tag: "6 after 25 in the first number", keys: "256", text: "25", acceptable: false },
                { tag: "6 after 25 in the third number", keys: "1.2.256", text: "1.2.25", acceptable: false },
                { tag: "6 after 25 in the last number", keys: "1.2.3.256", text: "1.2.3.25", acceptable: true },
                { tag: "260 refused", keys: "1.260", text: "1.26", acceptable: false },
                { tag: "four digits in a number", keys: "1234", text: "123", acceptable: false },
                { tag: "fifth group", keys: "1.2.3.4.", text: "1.2.3.4", acceptable: true },
                { tag: "sixth port digit", keys: "1.2.3.4:123456", text: "1.2.3.4:12345", acceptable: true },
                { tag: "letters", keys: "1a.bX2", text: "1.2", acceptable: false },
                { tag: "second colon", keys: "1.2.3.4:80:", text: "1.2.3.4:80", acceptable: true },
                { tag: "colon before the fourth number", keys: "1.2.3:", text: "1.2.3", acceptable: false },
                { tag: "leading dot", keys: ".1", text: "1", acceptable: false },
                { tag: "blank", keys: " 1", text: "1", acceptable: false }
            ];
        }

        function test_typing(data) {
            type(data.keys);
            compare(field.text, data.text);
            compare(field.acceptableInput, data.acceptable);
        }

        // The display's own addresses: the colon of a port never gets in.
        function test_typingWithoutPort_data() {
            return [
                { tag: "plain address", keys: "192.168.1.50", text: "192.168.1.50", acceptable: true },
                { tag: "port refused", keys: "192.168.1.50:80", text: "192.168.1.50", acceptable: true },
                { tag: "leading zeros", keys: "010.0.0.01", text: "010.0.0.01", acceptable: true }
            ];
        }

        function test_typingWithoutPort(data) {
            plainField.text = "";
            plainField.forceActiveFocus();
            type(data.keys);
            compare(plainField.text, data.text);
            compare(plainField.acceptableInput, data.acceptable);
            compare(plainField.placeholderText, "X.X.X.X");
        }

        function test_emptyFieldIsNotAcceptableButCanBeCleared() {
            compare(field.acceptableInput, false);
            type("1.2");
            keyClick(Qt.Key_Backspace);
            keyClick(Qt.Key_Backspace);
            keyClick(Qt.Key_Backspace);
            compare(field.text, "");
            compare(field.acceptableInput, false);
        }

        function test_keyboardHintsAndPlaceholder() {
            verify(field.inputMethodHints & Qt.ImhDigitsOnly);
            verify(field.inputMethodHints & Qt.ImhNoAutoUppercase);
            verify(field.inputMethodHints & Qt.ImhNoPredictiveText);
            compare(field.placeholderText, "X.X.X.X[:80]");
        }
    }
}
