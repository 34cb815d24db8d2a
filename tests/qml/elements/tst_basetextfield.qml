import QtQuick 2.12
import QtTest 1.2
import Zel.Gui 1.0
import "qrc:/qml/elements"

Item {
    id: root

    width: 400
    height: 300

    Component {
        id: fieldComponent

        BaseTextField {}
    }

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

        // The settings pages fill their fields whether or not these are enabled: what is given
        // to a disabled field waits, unseen, until it is enabled again.
        function test_textGivenWhileDisabledWaits() {
            field.text = "10.0.0.1";
            field.enabled = false;
            field.text = "10.0.0.2";
            compare(field.text, "");
            compare(field.displayText, "");
            field.text = "10.0.0.3";
            compare(field.text, "");
            field.enabled = true;
            compare(field.text, "10.0.0.3");

            // A field emptied before it is disabled comes back empty.
            field.text = "";
            field.enabled = false;
            field.enabled = true;
            compare(field.text, "");
        }

        function test_fieldMadeDisabledShowsNoText() {
            var made = createTemporaryObject(fieldComponent, root, { text: "10.0.0.4", enabled: false });
            verify(made);
            compare(made.text, "");
            made.enabled = true;
            compare(made.text, "10.0.0.4");
        }
    }
}
