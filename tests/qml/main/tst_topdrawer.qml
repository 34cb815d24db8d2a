import QtQuick 2.12
import QtTest 1.2
import Zel.BSP 1.0
import Zel.Gui 1.0
import "qrc:/qml/elements"

Item {
    id: root

    width: 1280
    height: 800

    Component {
        id: drawerComponent

        TopDrawer {
            property alias probe: _probe
            property alias emptyArea: _emptyArea

            Item {
                id: _probe

                anchors.fill: parent

                // Nothing in here takes a touch: a swipe on it must still not move the drawer.
                Item {
                    id: _emptyArea

                    anchors.centerIn: parent
                    width: 400
                    height: 300
                }
            }
        }
    }

    // A drag moves the drawer at once and a close starts at once: what must not happen would
    // show in these right after the input, so no test has to wait for it.
    SignalSpy {
        id: moves

        signalName: "positionChanged"
    }

    SignalSpy {
        id: hides

        signalName: "aboutToHide"
    }

    TestCase {
        id: testCase

        name: "TopDrawer"
        when: windowShown

        // The bounding box of an item in window (panel) coordinates, whatever its rotation.
        function panelRect(item) {
            var a = item.mapToItem(null, 0, 0)
            var b = item.mapToItem(null, item.width, item.height)
            return Qt.rect(Math.round(Math.min(a.x, b.x)), Math.round(Math.min(a.y, b.y)),
                           Math.round(Math.abs(b.x - a.x)), Math.round(Math.abs(b.y - a.y)))
        }

        // Open and done with opening: only then can it be dragged, or close on its own.
        function openDrawer() {
            var drawer = createTemporaryObject(drawerComponent, root)
            drawer.open()
            tryCompare(drawer, "position", 1)
            tryCompare(findChild(drawer, "topDrawerPanel"), "opened", true)
            return drawer
        }

        function watch(drawer) {
            moves.target = drawer
            moves.clear()
            hides.target = findChild(drawer, "topDrawerPanel")
            hides.clear()
        }

        // Not moved and not closing, not even for a moment.
        function verifyStill(drawer, position) {
            compare(moves.count, 0, "moved")
            compare(hides.count, 0, "closing")
            compare(drawer.position, position)
        }

        function init() {
            DeviceType.screenWidth = 1280
            DeviceType.screenHeight = 800
            DeviceType.maskMarginLeft = 11
            DeviceType.maskMarginTop = 7
            DeviceType.maskMarginRight = 13
            DeviceType.maskMarginBottom = 5
        }

        function cleanup() {
            DeviceType.rotation = 0
            DeviceType.maskMarginLeft = 0
            DeviceType.maskMarginTop = 0
            DeviceType.maskMarginRight = 0
            DeviceType.maskMarginBottom = 0
        }

        // Available area with these margins: 1256 x 788 upright, 788 x 1256 turned. The shift
        // is where the content goes when the drawer is half open: towards the drawer's edge.
        function test_geometryFollowsRotation_data() {
            return [
                { tag: "0: from the top", rotation: 0, rect: Qt.rect(11, 7, 1256, 758),
                  shift: Qt.point(0, -400) },
                { tag: "90: from the right", rotation: 90, rect: Qt.rect(1280 - 1226 - 13, 7, 1226, 788),
                  shift: Qt.point(640, 0) },
                { tag: "180: from the bottom", rotation: 180, rect: Qt.rect(11, 800 - 758 - 5, 1256, 758),
                  shift: Qt.point(0, 400) },
                { tag: "270: from the left", rotation: 270, rect: Qt.rect(11, 7, 1226, 788),
                  shift: Qt.point(-640, 0) },
                { tag: "45 counts as 0", rotation: 45, rect: Qt.rect(11, 7, 1256, 758),
                  shift: Qt.point(0, -400) }
            ]
        }

        function test_geometryFollowsRotation(data) {
            DeviceType.rotation = data.rotation
            var drawer = openDrawer()
            var open = panelRect(drawer.probe)
            compare(open, data.rect)

            drawer.position = 0.5
            var half = panelRect(drawer.probe)
            compare(Qt.point(half.x - open.x, half.y - open.y), data.shift)
        }

        function test_stripAlongTheBottomWithArrow() {
            var drawer = openDrawer()
            var strip = drawer.swipeIndicator
            compare(panelRect(strip), Qt.rect(11, 800 - 5 - 30, 1256, 30))
            var arrow = findChild(strip, "swipeArrow")
            compare(arrow.state, "opened")
            drawer.close()
            tryCompare(drawer, "position", 0)
            compare(arrow.state, "")
        }

        function test_contentShownOnlyWhileNotClosed() {
            var drawer = createTemporaryObject(drawerComponent, root)
            verify(!drawer.probe.visible)
            drawer.open()
            tryVerify(function () { return drawer.probe.visible })
            drawer.close()
            tryCompare(drawer, "position", 0)
            verify(!drawer.probe.visible)
        }

        function test_invisibleDrawerDoesNotOpen() {
            var drawer = createTemporaryObject(drawerComponent, root, { visible: false })
            drawer.open()
            // Opening makes the panel visible at once, before its transition starts.
            verify(!findChild(drawer, "topDrawerPanel").visible)
            compare(drawer.position, 0)
            drawer.visible = true
            drawer.open()
            tryCompare(drawer, "position", 1)
        }

        // A pull that starts on the very edge brings the closed drawer along with the finger;
        // one that starts 20 px in is the page's (here, nobody's).
        function test_closedDrawerPulledFromItsEdge_data() {
            return [{ tag: "from the edge", y: 2, opens: true }, { tag: "20 px in", y: 20, opens: false }]
        }

        function test_closedDrawerPulledFromItsEdge(data) {
            var drawer = createTemporaryObject(drawerComponent, root)
            watch(drawer)
            mousePress(root, 640, data.y)
            for (var i = 1; i <= 10; ++i) {
                mouseMove(root, 640, data.y + 50 * i, 10)
                if (i === 5 && data.opens)
                    verify(drawer.position > 0.2 && drawer.position < 0.5, "half-way at " + drawer.position)
            }
            mouseRelease(root, 640, data.y + 500)
            if (data.opens)
                tryCompare(drawer, "position", 1)
            else
                verifyStill(drawer, 0)
        }

        function test_neverClosesOnItsOwn_data() {
            return [
                { tag: "Escape", how: "escape" },
                { tag: "press outside the panel", how: "press" }
            ]
        }

        // On the device the panel is the whole screen; here it is made smaller than the window,
        // so that there is an outside to press on.
        function test_neverClosesOnItsOwn(data) {
            DeviceType.screenWidth = 1000
            DeviceType.screenHeight = 600
            var drawer = openDrawer()
            var panel = panelRect(findChild(drawer, "topDrawerPanel").contentItem)
            compare(panel, Qt.rect(0, 0, 1000, 600))
            watch(drawer)
            if (data.how === "escape")
                keyClick(Qt.Key_Escape)
            else
                mouseClick(root, 1200, 700)
            verifyStill(drawer, 1)
            verify(findChild(drawer, "topDrawerPanel").opened)
        }

        function test_swipeOnContentDoesNotMoveDrawer() {
            var drawer = openDrawer()
            var p = drawer.emptyArea.mapToItem(null, 200, 250)
            watch(drawer)
            mouseDrag(root, p.x, p.y, 0, -300, Qt.LeftButton, Qt.NoModifier, 20)
            verifyStill(drawer, 1)

            var touch = touchEvent(root)
            touch.press(0, root, p.x, p.y).commit()
            for (var i = 1; i <= 10; ++i)
                touch.move(0, root, p.x, p.y - 30 * i).commit()
            touch.release(0, root, p.x, p.y - 300).commit()
            verifyStill(drawer, 1)
        }

        function test_swipeOnStripCloses() {
            var drawer = openDrawer()
            mouseDrag(root, 640, 800 - 5 - 15, 0, -600, Qt.LeftButton, Qt.NoModifier, 20)
            tryCompare(drawer, "position", 0)
        }
    }
}
