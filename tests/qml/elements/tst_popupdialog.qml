import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.Gui 1.0
import "qrc:/qml/elements"

Item {
    id: root

    width: 3000
    height: 1000

    Item {
        id: host

        height: 800
    }

    Component {
        id: dialogComponent

        PopupDialog {
            title: "Ethernet"
            text: "The settings have been saved and will be used from now on."
            standardButtons: Dialog.Ok
        }
    }

    SignalSpy {
        id: acceptedSpy

        signalName: "accepted"
    }

    TestCase {
        name: "PopupDialog"
        when: windowShown

        function test_width_data() {
            return [
                { tag: "narrow parent", parentWidth: 400, expected: 400 - 2 * ZelStyle.ui.contentMargin },
                { tag: "very wide parent", parentWidth: 2800, expected: $ZelGui.sp(450) }
            ];
        }

        function test_width(data) {
            host.width = data.parentWidth;
            var dialog = createTemporaryObject(dialogComponent, host);
            verify(!dialog.visible);
            dialog.open();
            tryCompare(dialog, "opened", true);
            compare(dialog.width, data.expected);
            compare(dialog.x, (host.width - dialog.width) / 2);
            compare(dialog.y, (host.height - dialog.height) / 2);
            compare(dialog.height, dialog.implicitHeight + 2 * ZelStyle.ui.contentMargin);
        }

        function test_okButtonAccepts() {
            host.width = 800;
            var dialog = createTemporaryObject(dialogComponent, host);
            acceptedSpy.target = dialog;
            acceptedSpy.clear();
            dialog.open();
            tryCompare(dialog, "opened", true);
            var box = findChild(dialog.footer, "popupButtons") || dialog.footer;
            compare(box.count, 1);
            mouseClick(box.itemAt(0));
            compare(acceptedSpy.count, 1);
            tryCompare(dialog, "visible", false);
        }

        function test_closesOnPressOutsideAndEscape() {
            host.width = 800;
            var dialog = createTemporaryObject(dialogComponent, host);
            dialog.open();
            tryCompare(dialog, "opened", true);
            mouseClick(root, 5, 5);
            tryCompare(dialog, "visible", false);
            dialog.open();
            tryCompare(dialog, "opened", true);
            keyClick(Qt.Key_Escape);
            tryCompare(dialog, "visible", false);
        }

        function test_bodyWrapsText() {
            host.width = 400;
            var dialog = createTemporaryObject(dialogComponent, host);
            dialog.open();
            tryCompare(dialog, "opened", true);
            var body = findChild(dialog.contentItem, "popupText");
            verify(body.lineCount > 1);
            verify(body.width <= dialog.availableWidth);
            compare(body.font.pixelSize, 21);
        }
    }
}
