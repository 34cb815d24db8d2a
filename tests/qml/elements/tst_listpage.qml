import QtQuick 2.12
import QtTest 1.2
import "qrc:/qml/pages"

Item {
    id: root

    width: 800
    height: 480

    Component {
        id: pageComponent

        ListPage {
            anchors.fill: parent
            delegate: Rectangle {
                width: ListView.view.width
                height: 40
            }
        }
    }

    TestCase {
        name: "ListPage"
        when: windowShown

        function test_flickableOnlyWhenRowsDoNotFit_data() {
            return [
                { tag: "no rows", rows: 0, interactive: false },
                { tag: "rows fit", rows: 3, interactive: false },
                { tag: "rows overflow", rows: 50, interactive: true }
            ];
        }

        function test_flickableOnlyWhenRowsDoNotFit(data) {
            var page = createTemporaryObject(pageComponent, root, { model: data.rows });
            var list = findChild(page, "pageList");
            tryCompare(list, "count", data.rows);
            compare(page.interactive, data.interactive);
            compare(findChild(page, "pageListScrollIndicator").visible, data.interactive);
            verify(list.clip);
        }

        function test_listFollowsItsModel() {
            var page = createTemporaryObject(pageComponent, root, { model: 3 });
            verify(!page.interactive);
            page.model = 50;
            tryCompare(page, "interactive", true);
            page.model = 2;
            tryCompare(page, "interactive", false);
        }
    }
}
