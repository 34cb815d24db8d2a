import QtQuick 2.15
import QtTest 1.2
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"

Item {
    width: 1280
    height: 800

    KeyboardHarness {
        id: harness

        BaseTextField {
            id: textField

            objectName: "textField"
            x: 20; y: 20; width: 400
        }

        IPTextField {
            id: addressField

            objectName: "addressField"
            x: 20; y: 80; width: 400
            EnterKeyAction.actionId: EnterKeyAction.Done
            EnterKeyAction.enabled: acceptableInput
        }
    }

    TestCase {
        name: "InputPanel"
        when: windowShown

        function test_smoke() {
            textField.forceActiveFocus();
            tryCompare(harness.panel, "active", true);
            compare(harness.panel.layoutName, "main");
            var q = findChild(harness.panel, "key_q");
            verify(q);
            mouseClick(q);
            compare(textField.text, "q");
            addressField.forceActiveFocus();
            tryCompare(harness.panel, "layoutName", "digits");
            wait(300);
            var img = grabImage(harness.panel);
            img.save("/tmp/kb-smoke.png");
        }
    }
}
