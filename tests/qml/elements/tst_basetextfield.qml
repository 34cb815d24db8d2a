import QtQuick 2.12
import QtTest 1.2
import Zel.Gui 1.0
import "qrc:/qml/elements"

Item {
    width: 400
    height: 300

    BaseTextField {
        id: field

        y: 10
        width: 300
    }

    BaseTextField {
        id: other

        y: 100
        width: 300
    }

    TestCase {
        name: "BaseTextField"
        when: windowShown

        function frame(f) {
            return f.background;
        }

        function init() {
            field.enabled = true;
            field.text = "";
            field.height = field.implicitHeight;
            other.forceActiveFocus();
        }

        function test_fontAndSize() {
            compare(field.implicitHeight, 40);
            compare(field.font.family, ZelStyle.ui.fontFamily);
            compare(field.font.pixelSize, 22);
            field.height = 60;
            compare(field.font.pixelSize, 33);
            verify(Qt.colorEqual(field.color, ZelStyle.ui.textColor));
        }

        function test_frameFollowsFocus() {
            verify(Qt.colorEqual(frame(field).border.color, "darkgrey"));
            tryCompare(frame(field), "opacity", 0.3);
            field.forceActiveFocus();
            verify(Qt.colorEqual(frame(field).border.color, ZelStyle.ui.primaryColor));
            // The frame fades in rather than jumping.
            verify(frame(field).opacity < 1.0);
            tryCompare(frame(field), "opacity", 1.0, 1000);
            compare(frame(field).radius, 0.15 * field.height);
        }

        function test_cursorShownOnlyWithFocus() {
            field.forceActiveFocus();
            var cursor = findChild(field, "textCursor");
            verify(cursor);
            verify(cursor.visible);
            verify(Qt.colorEqual(cursor.color, ZelStyle.ui.primaryColor));
            // It blinks: its opacity moves away from 1 while it is shown.
            tryVerify(function () { return cursor.opacity < 0.5; }, 1500);
            other.forceActiveFocus();
            verify(!cursor.visible);
        }

        function test_disabledFieldShowsNoText() {
            field.text = "10.0.0.1";
            field.enabled = false;
            compare(field.text, "");
            field.enabled = true;
            compare(field.text, "10.0.0.1");
        }
    }
}
