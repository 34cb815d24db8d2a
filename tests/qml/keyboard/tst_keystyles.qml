import QtQuick 2.15
import QtTest 1.2
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0
import "keys.js" as KeyTree

// The system's key styles as the keyboard draws them.
Item {
    width: 1280
    height: 800

    KeyboardHarness {
        id: harness

        TextInput {
            id: probe

            x: 20; y: 20; width: 400; height: 40
        }

        TextInput {
            id: digitsProbe

            x: 20; y: 80; width: 400; height: 40
            inputMethodHints: Qt.ImhDigitsOnly
        }

        Item {
            id: plainItem
        }
    }

    TestCase {
        name: "KeyStyles"
        when: windowShown

        function init() {
            probe.EnterKeyAction.actionId = EnterKeyAction.None;
            probe.EnterKeyAction.label = "";
            probe.EnterKeyAction.enabled = true;
            plainItem.forceActiveFocus();
            tryCompare(harness.panel, "active", false);
        }

        function open(field) {
            (field || probe).forceActiveFocus();
            tryCompare(harness.panel, "active", true);
        }

        function key(name) {
            var k = KeyTree.find(harness.panel.keyboard, "key_" + name);
            verify(k, "no key " + name);
            return k;
        }

        function test_shadow_data() {
            return [
                { tag: "letter", key: "q", shadow: true },
                { tag: "shift", key: "shift", shadow: true },
                { tag: "space", key: "space", shadow: true },
                { tag: "page switch", key: "pageSwitch", shadow: true },
                { tag: "backspace", key: "backspace", shadow: false },
                { tag: "enter", key: "enter", shadow: false },
                { tag: "hide", key: "hide", shadow: false }
            ];
        }

        function test_shadow(data) {
            open();
            var k = key(data.key);
            compare(k.dropShadow, data.shadow);
            compare(k.contentContainer.layer.enabled, data.shadow);
            if (data.shadow) {
                var effect = k.contentContainer.layer.effect.createObject(null);
                compare([effect.horizontalOffset, effect.verticalOffset, effect.radius,
                         effect.samples, effect.cached], [0, 3, 8, 17, true]);
                compare(effect.color, Qt.rgba(0, 0, 0, 0.3));
                effect.destroy();
            }
        }

        // A shadow is an offscreen layer drawn with every frame, even while the keyboard is down.
        function test_noShadowWhileDown() {
            open();
            var k = key("q");
            compare(k.contentContainer.layer.enabled, true);
            plainItem.forceActiveFocus();
            tryCompare(harness.panel, "active", false);
            compare(k.contentContainer.layer.enabled, false);
        }

        function test_functionKeyColours_data() {
            return [
                { tag: "backspace", key: "backspace" },
                { tag: "hide", key: "hide" }
            ];
        }

        function test_functionKeyColours(data) {
            open();
            var k = key(data.key);
            compare(k.textColor, ZelStyle.virtualkeyboard.functionKeyFontColor);
            compare(k.color, ZelStyle.virtualkeyboard.functionKeyBackgroundColor);
            compare(findChild(k, "keyBackground").color, k.color);
        }

        function test_backspaceKey() {
            open();
            var k = key("backspace");
            compare(k.icon, "\uf053");
            compare(k.text, "\u007f");
            compare(k.keyCode, Qt.Key_Backspace);
            compare(findChild(k, "icon").visible, true);
            compare(findChild(k, "label").visible, false);
        }

        function test_labelsWhileShifted_data() {
            return [
                { tag: "letter", key: "q", off: "q", on: "Q" },
                { tag: "letter with alternatives", key: "e", off: "e", on: "E" },
                { tag: "page switch keeps its case", key: "pageSwitch", off: "123", on: "123" },
                { tag: "enter label keeps its case", key: "enter", label: "Go on", off: "Go on",
                  on: "Go on" }
            ];
        }

        function test_labelsWhileShifted(data) {
            if (data.label)
                probe.EnterKeyAction.label = data.label;
            open();
            var label = findChild(key(data.key), "label");
            compare(label.text, data.off);
            mouseClick(key("shift"));
            compare(harness.panel.uppercased, true);
            compare(label.text, data.on);
            compare(label.visible, true);
            verify(label.contentWidth <= label.width + 1 && label.contentHeight <= label.height + 1,
                   "the label is shrunk into its key");
        }

        function test_enterGlyph_data() {
            return [
                { tag: "Go", action: EnterKeyAction.Go, label: "", icon: "\uf00c", rotation: 0 },
                { tag: "Next", action: EnterKeyAction.Next, label: "", icon: "\uf00c", rotation: 0 },
                { tag: "Done", action: EnterKeyAction.Done, label: "", icon: "\uf00c", rotation: 0 },
                { tag: "Done with a label", action: EnterKeyAction.Done, label: "OK", icon: "\uf00c",
                  rotation: 0 },
                { tag: "Send", action: EnterKeyAction.Send, label: "", icon: "\uf1d8", rotation: 0 },
                { tag: "Search", action: EnterKeyAction.Search, label: "", icon: "\uf002", rotation: 0 },
                { tag: "None with a label", action: EnterKeyAction.None, label: "Connect", icon: "",
                  rotation: 0 },
                { tag: "None without a label", action: EnterKeyAction.None, label: "", icon: "\uf3be",
                  rotation: 90 },
                { tag: "unknown action", action: 42, label: "", icon: "\uf3be", rotation: 90 }
            ];
        }

        function test_enterGlyph(data) {
            probe.EnterKeyAction.actionId = data.action;
            probe.EnterKeyAction.label = data.label;
            open();
            var enter = key("enter");
            compare(enter.icon, data.icon);
            compare(enter.iconRotation, data.rotation);
            compare(enter.displayText, data.label);
            compare(findChild(enter, "icon").visible, data.icon !== "");
            compare(findChild(enter, "icon").rotation, data.rotation);
            compare(findChild(enter, "label").visible, data.icon === "");
            compare(enter.functionKey, true);
            compare(enter.keyCode, Qt.Key_Return);
            compare(enter.color, ZelStyle.virtualkeyboard.enterKeyBackgroundColor);
        }

        function test_enterFollowsActionChanges() {
            open();
            var enter = key("enter");
            var c = ZelStyle.virtualkeyboard.enterKeyFontColor;
            compare(enter.enabled, true);
            compare(enter.textColor, Qt.rgba(c.r, c.g, c.b, 1.0));
            probe.EnterKeyAction.enabled = false;
            compare(enter.enabled, false);
            compare(enter.textColor, Qt.rgba(c.r, c.g, c.b, 0.4));
            probe.EnterKeyAction.actionId = EnterKeyAction.Search;
            compare(enter.icon, "\uf002");
            probe.EnterKeyAction.actionId = EnterKeyAction.None;
            probe.EnterKeyAction.label = "Join";
            compare(enter.icon, "");
            compare(findChild(enter, "label").text, "Join");
            fuzzyCompare(findChild(enter, "label").color.a, 0.4, 0.01);
        }

        function test_enterWithoutControl() {
            open();
            var enter = key("enter");
            plainItem.forceActiveFocus();
            compare(InputContext.focusObject, null);
            compare(enter.enabled, false);
            compare(enter.icon, "");
            compare(enter.displayText, "");
        }

        function test_enterOnKeypadFollowsItsField() {
            digitsProbe.EnterKeyAction.actionId = EnterKeyAction.Send;
            open(digitsProbe);
            compare(harness.panel.layoutName, "digits");
            compare(key("enter").icon, "\uf1d8");
        }

        // The keyboard glyph fills half the key, centred and raised by a tenth of its height; the
        // chevron is half of that, centred under it, its middle sp(3) below the glyph's bottom.
        function test_hideGlyph() {
            open();
            var k = key("hide");
            var face = k.contentContainer;
            var box = findChild(k, "keyboardGlyph");
            var chevron = findChild(k, "chevronGlyph");
            fuzzyCompare(box.width, face.width / 2, 0.01);
            fuzzyCompare(box.height, face.height / 2, 0.01);
            fuzzyCompare(box.x + box.width / 2, face.width / 2, 0.01);
            fuzzyCompare(box.y + box.height / 2, face.height / 2 - 0.1 * box.height, 0.01);
            fuzzyCompare(chevron.width, box.width / 2, 0.01);
            fuzzyCompare(chevron.height, box.height / 2, 0.01);
            fuzzyCompare(chevron.x + chevron.width / 2, box.width / 2, 0.01);
            fuzzyCompare(chevron.y + chevron.height / 2, box.height + $ZelGui.sp(3), 0.01);
            compare(chevron.color, k.textColor);
            compare(k.icon, "");
            compare(k.autorepeat, false);
        }

        function test_panel() {
            open();
            var background = findChild(harness.panel, "panelBackground").item;
            verify(background, "Panel is loaded from the style path");
            compare(background.color, ZelStyle.virtualkeyboard.panelBackgroundColor);
            var line = findChild(background, "topLine");
            compare([line.x, line.y, line.width, line.height], [0, 0, background.width, 1]);
            compare(line.color, Qt.darker(background.color));
            fuzzyCompare(line.color.r, 0.5, 0.01, "a white panel gets a mid-grey line");
        }
    }
}
