import QtQuick 2.15
import QtTest 1.2
import Zel.BSP 1.0
import Zel.Gui 1.0

// Runs with ZEL_SCREEN_ROTATION=90, ZEL_SCREEN_MASK=10,20,30,40 and ZEL_DISPLAY_BRIGHTNESS=40.
Item {
    id: root

    width: 1280
    height: 800

    Component {
        id: container

        DeviceContainer {
            Rectangle {
                objectName: "child"
                anchors.fill: parent
            }
        }
    }

    Component {
        id: deviceWindow

        DeviceWindow {
            color: "white"

            Rectangle {
                objectName: "page"
                anchors.fill: parent
            }
        }
    }

    TestCase {
        name: "Bsp"
        when: windowShown

        function init() {
            DeviceType.rotation = 90
            DeviceType.maskMarginLeft = 10
            DeviceType.maskMarginTop = 20
            DeviceType.maskMarginRight = 30
            DeviceType.maskMarginBottom = 40
        }

        function test_geometry_from_environment() {
            compare(DeviceType.screenWidth, 1280)
            compare(DeviceType.screenHeight, 800)
            compare(DeviceType.rotation, 90)
            compare(DeviceType.maskMarginLeft, 10)
            compare(DeviceType.maskMarginBottom, 40)
            // Turned a quarter: the UI's width runs along the panel's height.
            compare(DeviceType.availableWidth, 800 - 20 - 40)
            compare(DeviceType.availableHeight, 1280 - 10 - 30)
        }

        function test_rotation_is_normalised_data() {
            return [
                { tag: "0", set: 0, expected: 0 },
                { tag: "180", set: 180, expected: 180 },
                { tag: "270", set: 270, expected: 270 },
                { tag: "45 counts as 0", set: 45, expected: 0 },
                { tag: "-90 counts as 0", set: -90, expected: 0 },
                { tag: "360 counts as 0", set: 360, expected: 0 }
            ]
        }

        function test_rotation_is_normalised(data) {
            DeviceType.rotation = data.set
            compare(DeviceType.rotation, data.expected)
            const turned = data.expected === 90 || data.expected === 270
            compare(DeviceType.availableWidth, turned ? 740 : 1240)
        }

        function test_container_lays_child_inside_visible_area_data() {
            return [
                { tag: "rotation 0", rotation: 0, margins: true, w: 1240, h: 740 },
                { tag: "rotation 90", rotation: 90, margins: true, w: 740, h: 1240 },
                { tag: "rotation 180", rotation: 180, margins: true, w: 1240, h: 740 },
                { tag: "no margins", rotation: 0, margins: false, w: 1280, h: 800 },
                { tag: "no margins turned", rotation: 270, margins: false, w: 800, h: 1280 }
            ]
        }

        function test_container_lays_child_inside_visible_area(data) {
            DeviceType.rotation = data.rotation
            const c = createTemporaryObject(container, root, { contentMarginsEnabled: data.margins })
            const child = findChild(c, "child")
            compare(child.width, data.w)
            compare(child.height, data.h)
            compare(c.contentItem.rotation, data.rotation)
            // Whichever way it is turned, the child covers exactly the visible part of the panel.
            const corners = [[0, 0], [child.width, 0], [0, child.height], [child.width, child.height]]
                .map(function (p) { return child.mapToItem(c, p[0], p[1]) })
            const xs = corners.map(function (p) { return p.x })
            const ys = corners.map(function (p) { return p.y })
            const left = data.margins ? 10 : 0
            const top = data.margins ? 20 : 0
            const right = 1280 - (data.margins ? 30 : 0)
            const bottom = 800 - (data.margins ? 40 : 0)
            fuzzyCompare(Math.min.apply(null, xs), left, 0.5)
            fuzzyCompare(Math.min.apply(null, ys), top, 0.5)
            fuzzyCompare(Math.max.apply(null, xs), right, 0.5)
            fuzzyCompare(Math.max.apply(null, ys), bottom, 0.5)
        }

        function test_window_is_panel_sized_with_turned_content() {
            const w = createTemporaryObject(deviceWindow, null)
            compare(w.width, 1280)
            compare(w.height, 800)
            verify(w.overlay, "popups have their overlay")
            const pageItem = findChild(w.contentArea, "page")
            compare(pageItem.width, 800)
            compare(pageItem.height, 1280)
            compare(w.contentArea.rotation, 90)
            DeviceType.rotation = 0
            compare(pageItem.width, 1280)
        }

        function test_display_brightness_reads_back_data() {
            return [
                { tag: "dark", set: 0, expected: 0 },
                { tag: "full", set: 100, expected: 100 },
                { tag: "half", set: 50, expected: 50 },
                { tag: "above range", set: 150, expected: 100 },
                { tag: "below range", set: -20, expected: 0 }
            ]
        }

        function test_display_brightness_reads_back(data) {
            Display.brightness = data.set
            compare(Display.brightness, data.expected)
        }

        function test_display_panel_switch() {
            Display.on = false
            compare(Display.on, false)
            Display.on = true
            compare(Display.on, true)
        }

        function initTestCase() {
            compare(Display.brightness, 40, "start level from the environment")
        }

        function test_file_exists_data() {
            const source = $ZelGui.envVar("CS_SOURCE_DIR")
            return [
                { tag: "existing file", path: source + "/CMakeLists.txt", expected: true },
                { tag: "file URL", path: "file://" + source + "/CMakeLists.txt", expected: true },
                { tag: "missing file", path: source + "/no/such/file.bmp", expected: false },
                { tag: "empty path", path: "", expected: false }
            ]
        }

        function test_file_exists(data) {
            compare(File.fileExists(data.path), data.expected)
        }
    }
}
