import QtQuick 2.12
import QtQuick.Layouts 1.12
import QtTest 1.2
import "qrc:/qml/elements"
import "qrc:/qml/pages"

// The keyboard is simulated by setting the page's view of it (panel shown, rectangle height);
// everything from there on (area, column, scrolling) is the page's own.
Item {
    id: root

    width: 800
    height: 600

    Component {
        id: pageComponent

        InputPage {
            anchors.fill: parent

            BaseTextField {
                objectName: "topField"
                Layout.fillWidth: true
            }

            Item {
                Layout.preferredHeight: 300
            }

            BaseTextField {
                objectName: "bottomField"
                Layout.fillWidth: true
            }
        }
    }

    TestCase {
        name: "InputPage"
        when: windowShown

        function createPage() {
            var page = createTemporaryObject(pageComponent, root);
            verify(page);
            return page;
        }

        function openKeyboard(page, height) {
            page._keyboardHeight = height;
            page._inputPanelVisible = true;
        }

        function test_childrenGoIntoTheScrollingColumn() {
            var page = createPage();
            var field = findChild(page, "topField");
            compare(field.parent, findChild(page, "inputColumn"));
            var area = findChild(page, "inputArea");
            compare(area.height, findChild(page, "contentArea").height);
            verify(!area.interactive);
            verify(!findChild(page, "inputScrollIndicator").visible);
        }

        function test_keyboardScrollsTheFocusedField_data() {
            return [
                { tag: "field in the lower half", field: "bottomField", scrolls: true },
                { tag: "field already visible", field: "topField", scrolls: false }
            ];
        }

        function test_keyboardScrollsTheFocusedField(data) {
            var page = createPage();
            var area = findChild(page, "inputArea");
            var field = findChild(page, data.field);
            var fullHeight = area.height;
            field.forceActiveFocus();
            openKeyboard(page, 300);
            verify(page.vkbVisible);
            compare(area.height, fullHeight - 300);
            verify(area.interactive);
            verify(findChild(page, "inputScrollIndicator").visible);
            if (data.scrolls) {
                // The field's bottom edge sits at the bottom of the shortened area, just above
                // the keyboard.
                var bottom = field.mapToItem(area, 0, field.height).y;
                compare(bottom, area.height);
                verify(area.contentY > 0);
            } else {
                compare(area.contentY, 0);
            }

            page._inputPanelVisible = false;
            page._keyboardHeight = 0;
            compare(area.height, fullHeight);
            verify(!area.interactive);
            verify(!findChild(page, "inputScrollIndicator").visible);
        }

        function test_noFocusNoScroll() {
            var page = createPage();
            var area = findChild(page, "inputArea");
            root.forceActiveFocus();
            openKeyboard(page, 300);
            verify(area.interactive);
            compare(area.contentY, 0);
        }

        function test_keyboardWithoutRectangleChangesNothing() {
            var page = createPage();
            var area = findChild(page, "inputArea");
            var fullHeight = area.height;
            findChild(page, "bottomField").forceActiveFocus();
            page._inputPanelVisible = true;
            verify(!page.vkbVisible);
            compare(area.height, fullHeight);
        }
    }
}
