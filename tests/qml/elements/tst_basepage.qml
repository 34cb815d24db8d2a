import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import Zel.BSP 1.0
import "qrc:/qml/pages"

Item {
    id: root

    width: 800
    height: 480

    StackView {
        id: stack

        anchors.fill: parent
    }

    Component {
        id: pageComponent

        BasePage {
            title: "Page"
        }
    }

    Component {
        id: pageWithContent

        BasePage {
            Item {
                objectName: "pageChild"
                anchors.fill: parent
            }
        }
    }

    SignalSpy {
        id: backSpy

        signalName: "backTriggered"
    }

    SignalSpy {
        id: actionSpy

        signalName: "actionTriggered"
    }

    TestCase {
        name: "BasePage"
        when: windowShown

        function fillStack(depth) {
            stack.clear(StackView.Immediate);
            for (var i = 0; i < depth; ++i)
                stack.push(pageComponent, { title: "Page " + (i + 1) }, StackView.Immediate);
            compare(stack.depth, depth);
            return stack.currentItem;
        }

        function test_back_data() {
            return [
                { tag: "one page back", depth: 3, popCount: 1, backEnabled: true, depthAfter: 2, titleAfter: "Page 2" },
                { tag: "popCount 2 on the third page", depth: 3, popCount: 2, backEnabled: true, depthAfter: 1, titleAfter: "Page 1" },
                { tag: "popCount 3 on the second page", depth: 2, popCount: 3, backEnabled: true, depthAfter: 1, titleAfter: "Page 1" },
                { tag: "popCount 0 pops one", depth: 3, popCount: 0, backEnabled: true, depthAfter: 2, titleAfter: "Page 2" },
                { tag: "back disabled", depth: 3, popCount: 2, backEnabled: false, depthAfter: 3, titleAfter: "Page 3" }
            ];
        }

        function test_back(data) {
            var page = fillStack(data.depth);
            page.popCount = data.popCount;
            page.backEnabled = data.backEnabled;
            backSpy.target = page;
            backSpy.clear();
            page.back();
            compare(backSpy.count, 1);
            tryCompare(stack, "busy", false);
            compare(stack.depth, data.depthAfter);
            compare(stack.currentItem.title, data.titleAfter);
        }

        function test_backButtonTap() {
            var page = fillStack(2);
            var backButton = findChild(page, "backButton");
            verify(backButton.visible);
            compare(backButton.width, 50);
            mouseClick(backButton);
            tryCompare(stack, "busy", false);
            compare(stack.depth, 1);
            var first = stack.currentItem;
            verify(findChild(first, "backButton").visible);
            first.backEnabled = false;
            verify(!findChild(first, "backButton").visible);
        }

        function test_pushAndActive() {
            var first = fillStack(1);
            compare(first.width, stack.width);
            compare(first.height, stack.height);
            verify(first.active);
            first.push(pageComponent, { title: "Pushed" });
            tryCompare(stack, "busy", false);
            compare(stack.depth, 2);
            compare(stack.currentItem.title, "Pushed");
            verify(stack.currentItem.active);
            verify(!first.active);
        }

        function test_pageOutsideAStack() {
            stack.clear(StackView.Immediate);
            var page = createTemporaryObject(pageComponent, root);
            compare(page.width, DeviceType.availableWidth);
            compare(page.height, DeviceType.availableHeight);
            verify(page.active);
            page.visible = false;
            verify(!page.active);
            page.visible = true;
            backSpy.target = page;
            backSpy.clear();
            page.back();
            compare(backSpy.count, 1);
            page.push(pageComponent);
            compare(stack.depth, 0);
        }

        function test_actionButton() {
            var page = fillStack(1);
            var button = findChild(page, "actionButton");
            verify(!button.visible);
            page.action.text = "Save";
            verify(button.visible);
            actionSpy.target = page;
            actionSpy.clear();
            mouseClick(button);
            compare(actionSpy.count, 1);
            page.action.text = "";
            verify(!button.visible);
            page.action.icon = "qrc:/assets/cog.svg";
            verify(button.visible);
        }

        function test_contentAreaBelowTopBar() {
            stack.clear(StackView.Immediate);
            stack.push(pageWithContent, {}, StackView.Immediate);
            var page = stack.currentItem;
            var content = findChild(page, "contentArea");
            var child = findChild(page, "pageChild");
            compare(child.parent, content);
            compare(child.width, page.width - 2 * content.anchors.margins);
            compare(content.y, 80 + content.anchors.margins);
            compare(findChild(page, "topBar").height, 80);
        }
    }
}
