import QtQuick 2.15
import QtTest 1.2
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"
import "keys.js" as KeyTree

// Typing through the keyboard into the product's fields, as a finger on the display would.
Item {
    id: testRoot

    width: 1280
    height: 800

    KeyboardHarness {
        id: harness

        BaseTextField {
            id: textField

            objectName: "textField"
            x: 20; y: 20; width: 400
        }

        BaseTextField {
            id: passwordField

            objectName: "passwordField"
            x: 20; y: 80; width: 400
            echoMode: TextInput.Password
        }

        IPTextField {
            id: addressField

            property var returns: []

            objectName: "addressField"
            x: 20; y: 140; width: 400
            EnterKeyAction.actionId: EnterKeyAction.Done
            EnterKeyAction.enabled: acceptableInput
            Keys.onReleased: {
                if (event.key === Qt.Key_Return)
                    returns.push(event.text);
            }
        }

        Rectangle {
            id: plainItem

            objectName: "plainItem"
            x: 500; y: 20; width: 100; height: 40
            focus: true
        }
    }

    Component {
        id: transientField

        TextInput { width: 100; height: 30 }
    }

    SignalSpy {
        id: clickSpy

        signalName: "keyClicked"
    }

    TestCase {
        id: testCase

        name: "InputPanel"
        when: windowShown

        readonly property var fields: ({ text: textField, password: passwordField,
                                         address: addressField })

        function init() {
            harness.panel.animationType = VirtualKeyboard.NoAnimation;
            plainItem.forceActiveFocus();
            tryCompare(harness.panel, "active", false);
            textField.text = "";
            passwordField.text = "";
            addressField.text = "";
            addressField.returns = [];
            clickSpy.clear();
            clickSpy.target = null;
        }

        // Only keys on the page that is up: those of a page just left may wait for deletion.
        function key(name) {
            var k = KeyTree.find(harness.panel.keyboard, "key_" + name);
            verify(k, "no key " + name + " on the keyboard");
            return k;
        }

        function open(field) {
            field.forceActiveFocus();
            tryCompare(harness.panel, "active", true);
        }

        // Taps keys by name; "wait" pauses long enough that two shift taps are not a double tap.
        function tap(names) {
            for (var i = 0; i < names.length; ++i) {
                if (names[i] === "wait")
                    wait(600);
                else
                    mouseClick(key(names[i]));
            }
        }

        // Where the keyboard's top edge is on the screen.
        function keyboardTop() {
            return harness.panel.keyboard.mapToItem(null, 0, 0).y;
        }

        function hold(item, ms) {
            mousePress(item);
            wait(ms);
        }

        function test_layoutFollowsField_data() {
            return [
                { tag: "address field: digits", field: "address", layout: "digits" },
                { tag: "password field: main", field: "password", layout: "main" },
                { tag: "text field: main", field: "text", layout: "main" }
            ];
        }

        function test_layoutFollowsField(data) {
            var field = fields[data.field];
            open(field);
            compare(harness.panel.layoutName, data.layout);
            compare(Qt.inputMethod.visible, true);
            compare(InputContext.focusObject, field);
            compare(InputContext.keyboardRectangle, Qt.rect(0, 400, 1280, 400));
            compare(keyboardTop(), 400);
        }

        function test_switchingFieldsSwitchesLayout() {
            open(textField);
            tap(["pageSwitch"]);
            compare(harness.panel.pageIndex, 1);
            addressField.forceActiveFocus();
            tryCompare(harness.panel, "layoutName", "digits");
            compare(harness.panel.active, true);
            textField.forceActiveFocus();
            tryCompare(harness.panel, "layoutName", "main");
            compare(harness.panel.pageIndex, 0, "a new field starts on the letters");
        }

        function test_focusAwayFromTextHides() {
            open(textField);
            plainItem.forceActiveFocus();
            tryCompare(harness.panel, "active", false);
            compare(Qt.inputMethod.visible, false);
            compare(InputContext.focusObject, null);
            compare(InputContext.keyboardRectangle.height, 0);
            tryCompare(harness.panel.keyboard, "visible", false);
        }

        // A lowered keyboard stays below the edge when the panel grows (its first layout, a
        // turn): sliding it there would lay its key layer over what a finger taps.
        function test_resizeKeepsALoweredKeyboardAway() {
            harness.panel.animationType = VirtualKeyboard.SlideAnimation;
            var layer = findChild(harness.panel, "keyLayer");
            testRoot.height = 1000;
            verify(!layer.visible);
            testRoot.height = 800;
            verify(!layer.visible);
        }

        function test_focusedFieldDestroyed() {
            var field = createTemporaryObject(transientField, harness);
            open(field);
            field.destroy();
            tryCompare(harness.panel, "active", false);
            compare(InputContext.focusObject, null);
        }

        function test_typing_data() {
            return [
                { tag: "letters", field: "text", keys: ["q", "w", "e"], text: "qwe" },
                { tag: "shift for one letter", field: "text", keys: ["shift", "h", "i"], text: "Hi" },
                { tag: "double tap locks shift", field: "text",
                  keys: ["shift", "shift", "o", "k"], text: "OK" },
                { tag: "third tap unlocks", field: "text",
                  keys: ["shift", "shift", "shift", "o"], text: "o" },
                { tag: "slow second tap cancels shift", field: "text",
                  keys: ["shift", "wait", "shift", "m"], text: "m" },
                { tag: "same key twice", field: "text", keys: ["l", "l", "o", "o"], text: "lloo" },
                { tag: "backspace", field: "text", keys: ["a", "b", "backspace"], text: "a" },
                { tag: "backspace on empty field", field: "text", keys: ["backspace", "z"], text: "z" },
                { tag: "space", field: "text", keys: ["a", "space", "b"], text: "a b" },
                { tag: "digits page", field: "text",
                  keys: ["pageSwitch", "1", "@", "#", "\""], text: "1@#\"" },
                { tag: "symbols page", field: "text",
                  keys: ["pageSwitch", "pageSwitch", "€", "\\", "÷", "“"], text: "€\\÷“" },
                { tag: "third switch is letters again", field: "text",
                  keys: ["pageSwitch", "pageSwitch", "pageSwitch", "x"], text: "x" },
                { tag: "shift is off on another page", field: "text",
                  keys: ["shift", "pageSwitch", "pageSwitch", "pageSwitch", "y"], text: "y" },
                { tag: "password", field: "password", keys: ["shift", "p", "w", "pageSwitch", "9"],
                  text: "Pw9" },
                { tag: "address", field: "address",
                  keys: ["1", "9", "2", ".", "1", "6", "8", ".", "0", ".", "1", "0", "0"],
                  text: "192.168.0.100" },
                { tag: "address with port", field: "address",
                  keys: ["1", ".", "2", ".", "3", ".", "4", "backspace", "5"], text: "1.2.3.5" },
                { tag: "address refuses what cannot be completed", field: "address",
                  keys: ["2", "5", "6", "-"], text: "25" }
            ];
        }

        function test_typing(data) {
            var field = fields[data.field];
            open(field);
            tap(data.keys);
            compare(field.text, data.text);
            compare(field.activeFocus, true, "typing never takes the focus from the field");
        }

        function test_alternative_data() {
            return [
                { tag: "e acute", field: "text", keys: [], hold: "e", pick: "é", text: "é" },
                { tag: "own character", field: "text", keys: [], hold: "e", pick: "e", text: "e" },
                { tag: "upper case while shifted", field: "text", keys: ["shift"], hold: "c",
                  pick: "Ç", text: "Ç" },
                { tag: "comma on the full stop", field: "text", keys: ["pageSwitch"], hold: ".",
                  pick: ",", text: "," },
                { tag: "fraction", field: "text", keys: ["pageSwitch", "pageSwitch"], hold: "½",
                  pick: "¾", text: "¾" },
                { tag: "port colon on the keypad", field: "address",
                  keys: ["1", ".", "2", ".", "3", ".", "4"], hold: ".", pick: ":", text: "1.2.3.4:" }
            ];
        }

        function test_alternative(data) {
            var field = fields[data.field];
            open(field);
            tap(data.keys);
            var held = key(data.hold);
            var popup = findChild(harness.panel, "alternatives");
            mousePress(held);
            tryCompare(popup, "visible", true);
            fuzzyCompare(popup.mapToItem(null, 0, popup.height).y, held.mapToItem(null, 0, 0).y, 1,
                         "the alternatives sit right above the held key");
            var cell = findChild(popup, "alternative_" + data.pick);
            verify(cell, "no alternative " + data.pick);
            var p = cell.mapToItem(held, cell.width / 2, cell.height / 2);
            mouseMove(held, p.x, p.y, -1, Qt.LeftButton);
            mouseRelease(held, p.x, p.y);
            compare(popup.visible, false);
            compare(field.text, data.text);
        }

        function test_alternativesCancelled() {
            open(textField);
            var held = key("a");
            var popup = findChild(harness.panel, "alternatives");
            mousePress(held);
            tryCompare(popup, "visible", true);
            // the finger slides far down, off the key and the row
            mouseMove(held, held.width / 2, held.height * 4, -1, Qt.LeftButton);
            mouseRelease(held, held.width / 2, held.height * 4);
            compare(textField.text, "");
        }

        function test_keypadFullStopAlternatives() {
            open(addressField);
            compare(key(".").alternativeKeys, [".", ":"]);
        }

        function test_enterKeyFollowsAddress() {
            open(addressField);
            tap(["1", ".", "2", ".", "3"]);
            var enter = key("enter");
            compare(enter.enabled, false);
            compare(enter.icon, "\uf00c");
            compare(enter.iconRotation, 0);
            fuzzyCompare(findChild(enter, "icon").color.a, 0.4, 0.01);
            mouseClick(enter);
            compare(addressField.returns, [], "a disabled enter key sends nothing");

            tap([".", "4"]);
            compare(addressField.acceptableInput, true);
            compare(enter.enabled, true);
            fuzzyCompare(findChild(enter, "icon").color.a, 1.0, 0.01);
            mouseClick(enter);
            compare(addressField.returns, ["\n"]);
            compare(addressField.text, "1.2.3.4", "Return types nothing into the field");
        }

        function test_hideKeyHidesOnceWithoutRepeat() {
            open(textField);
            var hide = key("hide");
            clickSpy.target = hide;
            hold(hide, 1500);
            compare(harness.panel.active, true, "the keyboard stays while the key is held");
            compare(clickSpy.count, 0);
            mouseRelease(hide);
            compare(clickSpy.count, 1);
            compare(Qt.inputMethod.visible, false);
            compare(InputContext.keyboardRectangle.height, 0);
            compare(textField.activeFocus, true);
            // a tap on the field that still has the focus brings the keyboard back
            mouseClick(textField);
            tryCompare(harness.panel, "active", true);
        }

        function test_hideKeyOnKeypad() {
            open(addressField);
            mouseClick(key("hide"));
            compare(Qt.inputMethod.visible, false);
        }

        function test_backspaceRepeatsWhileHeld() {
            open(textField);
            tap(["a", "b", "c", "d", "e", "f", "g", "h"]);
            var backspace = key("backspace");
            clickSpy.target = backspace;
            hold(backspace, 1500);
            mouseRelease(backspace);
            verify(clickSpy.count >= 3, "only " + clickSpy.count + " deletions in 1.5 s");
            compare(textField.text, "abcdefgh".substr(0, Math.max(0, 8 - clickSpy.count)));
        }

        function test_characterKeysDoNotRepeat() {
            open(textField);
            var k = key("p");
            hold(k, 1200);
            mouseRelease(k);
            compare(textField.text, "p");
        }

        function test_slideIn() {
            harness.panel.animationType = VirtualKeyboard.SlideAnimation;
            textField.forceActiveFocus();
            compare(harness.panel.active, true);
            // the rectangle is the one the keyboard slides into, known from the start
            compare(InputContext.keyboardRectangle, Qt.rect(0, 400, 1280, 400));
            tryVerify(function () { return Qt.inputMethod.animating; }, 1000);
            verify(keyboardTop() > 400, "still sliding in");
            tryVerify(function () { return Math.abs(keyboardTop() - 400) < 0.5; });
            tryVerify(function () { return !Qt.inputMethod.animating; });
        }
    }
}
