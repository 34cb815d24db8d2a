import QtQuick 2.12
import QtQuick.Layouts 1.12
import QtTest 1.2
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"
import "qrc:/qml/pages"

// The page against the platform's own keyboard: a tap into a field brings the panel up, as on
// the device; everything from there on (area, column, scrolling) is the page's own.
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

    Component {
        id: panelComponent

        InputPanel {
            anchors.fill: parent
            z: 1000
        }
    }

    // A field outside the page.
    BaseTextField {
        id: outsideField

        width: 100
        z: 10
    }

    TestCase {
        name: "InputPage"
        when: windowShown

        // The page and, unless told otherwise, the keyboard's panel over it.
        function createPage(withoutPanel) {
            if (!withoutPanel)
                verify(createTemporaryObject(panelComponent, root))
            var page = createTemporaryObject(pageComponent, root)
            verify(page)
            return page
        }

        function cleanup() {
            Qt.inputMethod.hide()
            root.forceActiveFocus()
            tryCompare(Qt.inputMethod, "visible", false)
        }

        function test_childrenGoIntoTheScrollingColumn() {
            var page = createPage()
            var field = findChild(page, "topField")
            compare(field.parent, findChild(page, "inputColumn"))
            var area = findChild(page, "inputArea")
            compare(area.height, findChild(page, "contentArea").height)
            verify(!area.interactive)
            verify(!findChild(page, "inputScrollIndicator").visible)
        }

        function test_keyboardScrollsTheFocusedField_data() {
            return [
                { tag: "field in the lower half", field: "bottomField", scrolls: true },
                { tag: "field already visible", field: "topField", scrolls: false }
            ]
        }

        function test_keyboardScrollsTheFocusedField(data) {
            var page = createPage()
            var area = findChild(page, "inputArea")
            var field = findChild(page, data.field)
            var fullHeight = area.height
            mouseClick(field)
            tryCompare(page, "vkbVisible", true)
            var keyboardHeight = InputContext.keyboardRectangle.height
            verify(keyboardHeight > 0)
            compare(area.height, fullHeight - keyboardHeight)
            verify(area.interactive)
            verify(findChild(page, "inputScrollIndicator").visible)
            if (data.scrolls) {
                // The field's bottom edge sits at the bottom of the shortened area, just above
                // the keyboard.
                var bottom = field.mapToItem(area, 0, field.height).y
                compare(bottom, area.height)
                verify(area.contentY > 0)
            } else {
                compare(area.contentY, 0)
            }

            Qt.inputMethod.hide()
            tryCompare(page, "vkbVisible", false)
            compare(area.height, fullHeight)
            verify(!area.interactive)
            verify(!findChild(page, "inputScrollIndicator").visible)
        }

        function test_focusOutsideThePageScrollsNothing() {
            var page = createPage()
            var area = findChild(page, "inputArea")
            mouseClick(outsideField)
            tryCompare(page, "vkbVisible", true)
            verify(area.interactive)
            compare(area.contentY, 0)
        }

        function test_keyboardWithoutRectangleChangesNothing() {
            var page = createPage(true)
            var area = findChild(page, "inputArea")
            var fullHeight = area.height
            mouseClick(findChild(page, "bottomField"))
            tryCompare(Qt.inputMethod, "visible", true)
            verify(!page.vkbVisible)
            compare(area.height, fullHeight)
        }
    }
}
