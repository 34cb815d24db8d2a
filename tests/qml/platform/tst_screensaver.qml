import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import Zel.Gui 1.0

Item {
    id: root

    width: 400
    height: 300

    // The page below the screen saver: it must never see the waking input.
    MouseArea {
        id: page

        property int presses: 0
        property int releases: 0
        property int clicks: 0

        anchors.fill: parent
        onPressed: ++presses
        onReleased: ++releases
        onClicked: ++clicks
    }

    Item {
        id: keyTarget

        property int keys: 0

        focus: true
        Keys.onPressed: ++keys
    }

    Component {
        id: saver

        ScreenSaver {
            color: "black"
        }
    }

    Component {
        id: deviceWindow

        DeviceWindow {
            property alias saver: windowSaver

            color: "white"

            // Like any other item, it covers popups only when put in the popup overlay.
            ScreenSaver {
                id: windowSaver

                parent: overlay
                timeoutInterval: 100
            }
        }
    }

    TestCase {
        name: "ScreenSaver"
        when: windowShown

        function makeSaver(interval) {
            page.presses = page.releases = page.clicks = 0
            keyTarget.keys = 0
            return createTemporaryObject(saver, root, { timeoutInterval: interval })
        }

        function test_shows_after_interval_filled_with_colour() {
            const s = makeSaver(600)
            compare(s.visible, false)
            wait(250)
            compare(s.visible, false, "not before its time")
            tryCompare(s, "visible", true, 5000)
            compare(s.width, root.width)
            compare(s.height, root.height)
            verify(Qt.colorEqual(s.color, "black"))
        }

        function test_waking_input_is_swallowed_data() {
            return [
                { tag: "mouse click", kind: "mouse" },
                { tag: "touch tap", kind: "touch" },
                { tag: "key", kind: "key" }
            ]
        }

        function test_waking_input_is_swallowed(data) {
            const s = makeSaver(100)
            tryCompare(s, "visible", true, 5000)
            if (data.kind === "mouse") {
                mouseClick(page, 50, 50)
            } else if (data.kind === "touch") {
                const touch = touchEvent(page)
                touch.press(0, page, 50, 50).commit()
                touch.move(0, page, 60, 60).commit()
                touch.release(0, page, 60, 60).commit()
            } else {
                keyClick(Qt.Key_A)
            }
            compare(s.visible, false, "input hides the saver")
            compare(page.presses, 0)
            compare(page.releases, 0)
            compare(page.clicks, 0)
            compare(keyTarget.keys, 0)

            // The next input goes through as usual.
            s.timeoutInterval = 10000
            mouseClick(page, 50, 50)
            compare(page.clicks, 1)
        }

        function test_input_restarts_countdown() {
            const s = makeSaver(1000)
            wait(600)
            mouseClick(page, 10, 10)
            compare(page.clicks, 1, "input reaches the page while the saver is hidden")
            wait(600)
            compare(s.visible, false, "countdown began again at the click")
            tryCompare(s, "visible", true, 5000)
        }

        function test_reset_restarts_countdown() {
            const s = makeSaver(1000)
            wait(600)
            s.reset()
            wait(600)
            compare(s.visible, false)
            tryCompare(s, "visible", true, 5000)
            s.reset()
            compare(s.visible, false, "reset hides a shown saver")
        }

        function test_disabled_never_shows_data() {
            return [
                { tag: "disabled", enabled: false, interval: 50 },
                { tag: "interval 0", enabled: true, interval: 0 }
            ]
        }

        function test_disabled_never_shows(data) {
            const s = makeSaver(data.interval)
            s.enabled = data.enabled
            wait(400)
            compare(s.visible, false)
        }

        function test_disabling_hides_it() {
            const s = makeSaver(100)
            tryCompare(s, "visible", true, 5000)
            s.enabled = false
            compare(s.visible, false)
            wait(300)
            compare(s.visible, false)
        }

        function test_fills_the_overlay_of_a_device_window() {
            const w = createTemporaryObject(deviceWindow, null)
            verify(w)
            tryCompare(w.saver, "visible", true, 5000)
            compare(w.saver.width, w.width)
            compare(w.saver.height, w.height)
        }
    }
}
