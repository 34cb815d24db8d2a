import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.2
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"
import "keys.js" as KeyTree

// The system's layouts, key by key, and how the keyboard lays them out; a screenshot of each page.
Item {
    width: 1280
    height: 800

    KeyboardHarness {
        id: harness

        BaseTextField {
            id: textField

            x: 20; y: 20; width: 400
            placeholderText: "Text"
        }

        IPTextField {
            id: addressField

            x: 20; y: 80; width: 400
            EnterKeyAction.actionId: EnterKeyAction.Done
            EnterKeyAction.enabled: acceptableInput
        }
    }

    TestCase {
        name: "KeyboardLayouts"
        when: windowShown

        readonly property string base: "qrc:/qml/keyboard/layouts/en_GB/"
        readonly property var layouts: ({})

        function layout(name) {
            if (!layouts[name]) {
                var component = Qt.createComponent(base + name + ".qml");
                compare(component.status, Component.Ready, component.errorString());
                layouts[name] = component.createObject(null);
            }
            return layouts[name];
        }

        function kindName(key) {
            switch (key.type) {
            case VirtualKeyboard.KeyCharacter: return key.text;
            case VirtualKeyboard.KeyFiller: return "filler";
            case VirtualKeyboard.KeyShift: return "shift";
            case VirtualKeyboard.KeyBackspace: return "backspace";
            case VirtualKeyboard.KeyPageSwitch: return "page";
            case VirtualKeyboard.KeySpace: return "space";
            case VirtualKeyboard.KeyHideKeyboard: return "hide";
            case VirtualKeyboard.KeyEnter: return "enter";
            }
            return "?" + key.type;
        }

        // "keyWeight|key key:ownWeight ...", the row weight left out when no key uses it.
        function describe(row) {
            var usesRowWeight = false;
            var keys = [];
            for (var i = 0; i < row.keys.length; ++i) {
                var k = row.keys[i];
                usesRowWeight = usesRowWeight || !(k.weight > 0);
                keys.push(kindName(k) + (k.weight > 0 ? ":" + k.weight : ""));
            }
            return (usesRowWeight ? row.keyWeight : "none") + "|" + keys.join(" ");
        }

        function qtKeyCode(text) {
            // letters by their upper-case form, everything else by its code point
            var upper = text.toUpperCase();
            return upper !== text.toLowerCase() ? upper.codePointAt(0) : text.codePointAt(0);
        }

        function test_rows_data() {
            var bottom = "none|page:217 space:660 hide:204 enter:230";
            return [
                { tag: "main letters", layout: "main", page: 0, rows: [
                    "160|q w e r t y u i o p",
                    "155|filler:56 a s d f g h j k l filler:56",
                    "155|shift:180 z x c v b n m backspace:180",
                    bottom ] },
                { tag: "main digits and punctuation", layout: "main", page: 1, rows: [
                    "160|1 2 3 4 5 6 7 8 9 0",
                    "160|filler:56 @ # % & * - + ( ) filler:56",
                    "156|! \" < > ' : ; . / ?",
                    bottom ] },
                { tag: "main symbols", layout: "main", page: 2, rows: [
                    "none|~:160 `:160 |:160 \u00b7:160 \u221a:160 \u00f7:160 \u00d7:160 \u00bd:160 {:160 }:160",
                    "none|filler:56 $:160 \u20ac:160 \u00a3:160 \u00a2:160 \u00a5:160 =:160 \u00a7:160 [:160 ]:160 filler:56",
                    "none|_:156 \u2122:156 \u00ae:156 \u00ab:156 \u00bb:156 \u201c:156 \u201d:156 \u2026:156 \\:156 ^:156",
                    bottom ] },
                { tag: "digits", layout: "digits", page: 0, rows: [
                    "160|filler 1 2 3 hide",
                    "160|filler 4 5 6 filler",
                    "160|filler 7 8 9 filler",
                    "160|backspace . 0 - enter" ] }
            ];
        }

        function test_rows(data) {
            var page = layout(data.layout).pages[data.page];
            var rows = [];
            for (var i = 0; i < page.rows.length; ++i)
                rows.push(describe(page.rows[i]));
            compare(rows, data.rows);
        }

        function test_pages() {
            compare(layout("main").pages.length, 3);
            compare(layout("main").pages[0].minimal, false);
            compare(layout("digits").pages.length, 1);
            compare(layout("digits").pages[0].minimal, true);
            compare(layout("digits").pages[0].minimumWidth, 200);
        }

        // Every character key sends Qt's key code of what it types; function keys their own.
        function test_keyCodes_data() {
            var rows = [];
            ["main", "digits"].forEach(function (name) {
                var pages = layout(name).pages;
                for (var p = 0; p < pages.length; ++p) {
                    for (var r = 0; r < pages[p].rows.length; ++r) {
                        var keys = pages[p].rows[r].keys;
                        for (var k = 0; k < keys.length; ++k) {
                            if (keys[k].type === VirtualKeyboard.KeyFiller)
                                continue;
                            rows.push({ tag: name + " page " + (p + 1) + " row " + (r + 1)
                                             + " key " + (k + 1) + " " + kindName(keys[k]),
                                        key: keys[k] });
                        }
                    }
                }
            });
            return rows;
        }

        function test_keyCodes(data) {
            var key = data.key;
            var functionCodes = {};
            functionCodes[VirtualKeyboard.KeyShift] = Qt.Key_Shift;
            functionCodes[VirtualKeyboard.KeyBackspace] = Qt.Key_Backspace;
            functionCodes[VirtualKeyboard.KeySpace] = Qt.Key_Space;
            functionCodes[VirtualKeyboard.KeyEnter] = Qt.Key_Return;
            if (key.type !== VirtualKeyboard.KeyCharacter) {
                compare(key.text, "");
                if (functionCodes[key.type] !== undefined)
                    compare(key.keyCode, functionCodes[key.type]);
                return;
            }
            compare(Array.from(key.text).length, 1, "one character per key");
            compare(key.keyCode, qtKeyCode(key.text));
        }

        function test_alternatives_data() {
            var rows = [
                ["e", "êeëèé"], ["r", "ŕrř"], ["t", "ţtŧť"], ["y", "ÿyýŷ"], ["u", "űūũûüuùú"],
                ["i", "îïīĩiìí"], ["o", "œøõôöòóo"], ["a", "aäåãâàá"], ["s", "šsşś"], ["d", "dđď"],
                ["g", "ġgģĝğ"], ["l", "ĺŀłļľl"], ["z", "zžż"], ["c", "çcċčć"], ["n", "ņńnň"]
            ].map(function (r) { return { tag: "letters " + r[0], layout: "main", page: 0,
                                          text: r[0], alternatives: Array.from(r[1]) }; });
            rows.push({ tag: "full stop", layout: "main", page: 1, text: ".", alternatives: [".", ","] });
            rows.push({ tag: "one half", layout: "main", page: 2, text: "\u00bd",
                        alternatives: Array.from("¼⅓½¾⅞") });
            rows.push({ tag: "keypad full stop", layout: "digits", page: 0, text: ".",
                        alternatives: [Qt.locale().decimalPoint, ":"] });
            return rows;
        }

        function test_alternatives(data) {
            var pages = layout(data.layout).pages;
            var withAlternatives = 0;
            for (var p = 0; p < pages.length; ++p) {
                for (var r = 0; r < pages[p].rows.length; ++r) {
                    var keys = pages[p].rows[r].keys;
                    for (var k = 0; k < keys.length; ++k) {
                        var given = keys[k].alternativeKeys;
                        var list = typeof given === "string" ? Array.from(given) : Array.from(given);
                        if (p === data.page && keys[k].text === data.text)
                            compare(list, data.alternatives);
                        else if (list.length > 0 && keys[k].text === data.text)
                            fail("alternatives on another " + data.text);
                    }
                }
            }
        }

        function test_keypadDecimalSeparatorInEnglish() {
            compare(Qt.locale().name, "en_GB");
            compare(Array.from(layout("digits").pages[0].rows[3].keys[1].alternativeKeys), [".", ":"]);
        }

        // Each row is as wide as its page, and its keys share the width by weight.
        function test_weightsShareTheWidth_data() {
            return [
                { tag: "letters bottom row", field: "text", page: 0, row: 3 },
                { tag: "letters home row", field: "text", page: 0, row: 1 },
                { tag: "symbols middle row", field: "text", page: 2, row: 1 },
                { tag: "keypad", field: "address", page: 0, row: 3 }
            ];
        }

        function test_weightsShareTheWidth(data) {
            var field = data.field === "address" ? addressField : textField;
            field.forceActiveFocus();
            tryCompare(harness.panel, "active", true);
            for (var i = 0; i < data.page; ++i)
                mouseClick(KeyTree.find(harness.panel.keyboard, "key_pageSwitch"));
            waitForRendering(harness.panel);
            var page = KeyTree.find(harness.panel.keyboard, "page" + data.page);
            var row = KeyTree.childrenWith(page, "row")[data.row];
            var keys = KeyTree.childrenWith(row, "key");
            var weights = keys.map(function (c) { return c.key.weight > 0 ? c.key.weight : row.row.keyWeight; });
            var total = weights.reduce(function (a, b) { return a + b; }, 0);
            var x = 0;
            for (var k = 0; k < keys.length; ++k) {
                fuzzyCompare(keys[k].x, x, 0.5, "key " + k + " starts where the one before ends");
                fuzzyCompare(keys[k].width, page.width * weights[k] / total, 0.5, "key " + k);
                x += keys[k].width;
            }
            fuzzyCompare(x, page.width, 0.5);
            if (data.field === "address") {
                verify(page.width >= 200 && page.width < harness.panel.width,
                       "the keypad is narrower than the screen: " + page.width);
                fuzzyCompare(page.x + page.width / 2, harness.panel.width / 2, 1);
            } else {
                compare(page.width, harness.panel.width);
            }
        }

        function test_screenshots_data() {
            return [
                { tag: "main-1-letters", field: "text", page: 0, shift: false },
                { tag: "main-1-letters-shifted", field: "text", page: 0, shift: true },
                { tag: "main-2-digits-punctuation", field: "text", page: 1, shift: false },
                { tag: "main-3-symbols", field: "text", page: 2, shift: false },
                { tag: "digits", field: "address", page: 0, shift: false },
                { tag: "main-1-alternatives-of-o", field: "text", page: 0, shift: false, hold: "o" }
            ];
        }

        function test_screenshots(data) {
            var field = data.field === "address" ? addressField : textField;
            field.forceActiveFocus();
            tryCompare(harness.panel, "active", true);
            for (var i = 0; i < data.page; ++i)
                mouseClick(KeyTree.find(harness.panel.keyboard, "key_pageSwitch"));
            if (data.shift)
                mouseClick(KeyTree.find(harness.panel.keyboard, "key_shift"));
            compare(harness.panel.pageIndex, data.page);
            var held = data.hold ? KeyTree.find(harness.panel.keyboard, "key_" + data.hold) : null;
            if (held) {
                mousePress(held);
                tryCompare(findChild(harness.panel, "alternatives"), "visible", true);
            }
            waitForRendering(harness.panel);
            var done = false;
            var saved = false;
            var path = $ZelGui.envVar("CS_ARTIFACT_DIR") + "/" + data.tag + ".png";
            // the whole window: the keys are drawn in its popup overlay
            verify(harness.Window.contentItem.grabToImage(function (result) {
                saved = result.saveToFile(path);
                done = true;
            }));
            tryVerify(function () { return done; });
            verify(saved, "could not write " + path);
            if (held)
                mouseRelease(held, held.width / 2, held.height * 5);
            plainFocus.forceActiveFocus();
            tryCompare(harness.panel, "active", false);
        }
    }

    Item {
        id: plainFocus
    }
}
