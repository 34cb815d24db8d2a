import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import Zel.BSP 1.0
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"
import "keys.js" as KeyTree

// The keyboard types into fields inside popups and drawers, as the main window stacks it: in a
// DeviceContainer in the popup overlay, above the drawer.
Item {
    id: window

    width: 1280
    height: 800

    KeyboardHarness {
        id: harness
    }

    Component {
        id: popupWithField

        Popup {
            id: popup

            readonly property alias field: _field
            property var returns: []

            parent: Overlay.overlay
            x: 100; y: 50; width: 600; height: 200
            z: 100

            IPTextField {
                id: _field

                width: 400
                EnterKeyAction.actionId: EnterKeyAction.Done
                EnterKeyAction.enabled: acceptableInput
                Keys.onReleased: {
                    if (event.key === Qt.Key_Return)
                        popup.returns.push(event.text);
                }
            }
        }
    }

    Component {
        id: containedPanel

        DeviceContainer {
            InputPanel {
                anchors.fill: parent
            }
        }
    }

    TestCase {
        name: "InputPanelOverPopups"
        when: windowShown

        function cleanup() {
            DeviceType.rotation = 0;
        }

        function typeInto(panel, popup, names) {
            popup.field.forceActiveFocus();
            tryCompare(panel, "active", true);
            for (var i = 0; i < names.length; ++i) {
                var k = KeyTree.find(panel.keyboard, "key_" + names[i]);
                verify(k, "no key " + names[i]);
                mouseClick(k);
            }
        }

        function test_typingIntoPopup_data() {
            return [
                { tag: "modal, not closing (a drawer)", modal: true, close: Popup.NoAutoClose },
                { tag: "modeless, closing on a press outside", modal: false,
                  close: Popup.CloseOnPressOutside },
                { tag: "modal, closing on a press outside", modal: true,
                  close: Popup.CloseOnPressOutside }
            ];
        }

        function test_typingIntoPopup(data) {
            var popup = createTemporaryObject(popupWithField, window,
                                              { modal: data.modal, closePolicy: data.close });
            popup.open();
            tryCompare(popup, "opened", true);
            typeInto(harness.panel, popup, ["1", ".", "2", ".", "3", ".", "4", "enter"]);
            compare(popup.visible, true, "tapping the keyboard leaves the popup open");
            compare(popup.field.text, "1.2.3.4");
            compare(popup.returns, ["\n"]);
            compare(popup.field.activeFocus, true);
        }

        function test_turnedPanel_data() {
            return [
                { tag: "0", rotation: 0 },
                { tag: "90", rotation: 90 },
                { tag: "180", rotation: 180 },
                { tag: "270", rotation: 270 }
            ];
        }

        function test_turnedPanel(data) {
            harness.visible = false;
            DeviceType.rotation = data.rotation;
            var container = createTemporaryObject(containedPanel, harness.panel.Overlay.overlay,
                                                  { z: 1000 });
            var panel = container.contentItem.children[0];
            var popup = createTemporaryObject(popupWithField, window, { modal: true });
            popup.open();
            tryCompare(popup, "opened", true);
            typeInto(panel, popup, ["1", "0", ".", "0"]);
            compare(popup.field.text, "10.0");
            // the keys sit where the turned panel draws them: on the screen edge the panel calls bottom
            var key = KeyTree.find(panel.keyboard, "key_0");
            var onScreen = key.mapToItem(null, key.width / 2, key.height / 2);
            var inPanel = panel.mapFromItem(null, onScreen.x, onScreen.y);
            verify(inPanel.y > panel.height / 2, "key drawn in the panel's lower half: " + inPanel.y);
            harness.visible = true;
        }
    }
}
