import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import QtWebEngine 1.10
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/pages"
import "../keyboard"
import "../keyboard/keys.js" as KeyTree

// A controller's page used by touch: fields tapped and typed into through the keyboard's keys,
// the focused field above the keyboard, gestures. Runs under webserver.py (its /form.html).
Item {
    id: root

    readonly property string httpUrl: $ZelGui.envVar("CS_TEST_HTTP_URL")

    width: 800
    height: 600

    KeyboardHarness {
        id: harness
    }

    Component {
        id: pageComponent

        ControllerWebPage {
            anchors.fill: parent
        }
    }

    TestCase {
        name: "WebPageTouch"
        when: windowShown

        property var page: null

        function evaluate(script) {
            var result = { done: false, value: undefined };
            page.runJavaScript(script, function (value) {
                result.value = value;
                result.done = true;
            });
            tryVerify(function () { return result.done; }, 10000, script);
            return result.value;
        }

        function tap(x, y) {
            touchEvent(page).press(0, page, x, y).commit();
            touchEvent(page).release(0, page, x, y).commit();
        }

        function tapKeys(names) {
            for (var i = 0; i < names.length; ++i) {
                var name = "key_" + names[i];
                tryVerify(function () { return KeyTree.find(harness.panel.keyboard, name); },
                          5000, "no key " + names[i]);
                mouseClick(KeyTree.find(harness.panel.keyboard, name));
            }
        }

        // The form page, loaded afresh, nothing focused, the keyboard down.
        function init() {
            verify(httpUrl !== "", "run this test through webserver.py");
            harness.panel.animationType = VirtualKeyboard.NoAnimation;
            var url = httpUrl + "/form.html";
            page = createTemporaryObject(pageComponent, harness);
            page.url = url;
            tryVerify(function () { return !page.loading && page.url.toString() === url
                                           && page.title === "form"; }, 20000);
            // The engine takes touch once the new page has been drawn.
            evaluate("requestAnimationFrame(function () { requestAnimationFrame(function () {"
                     + " window.drawn = true; }); }); 1");
            tryVerify(function () { return evaluate("window.drawn === true"); }, 5000);
            tryCompare(Qt.inputMethod, "visible", false);
        }

        function test_typing_data() {
            return [
                { tag: "text, Enter submits", field: "text", y: 40, layout: "main",
                  keys: ["shift", "h", "i", "x", "backspace"], value: "Hi", end: "enter" },
                { tag: "password by mouse: no predictions", field: "password", y: 100,
                  mouse: true, layout: "main",
                  hints: Qt.ImhHiddenText | Qt.ImhNoPredictiveText,
                  keys: ["p", "w", "pageSwitch", "9"], value: "pw9", end: "blur" },
                { tag: "number: digits", field: "number", y: 160, layout: "digits",
                  keys: ["1", "2", "backspace", "7"], value: "17", end: "blur" }
            ];
        }

        function test_typing(data) {
            if (data.mouse)
                mouseClick(page, 170, data.y);
            else
                tap(170, data.y);
            tryCompare(harness.panel, "active", true);
            compare(evaluate("document.activeElement.id"), data.field);
            compare(harness.panel.layoutName, data.layout);
            if (data.hints)
                compare(InputContext.inputMethodHints & data.hints, data.hints);
            tapKeys(data.keys);
            tryVerify(function () {
                return evaluate("document.getElementById('" + data.field + "').value") === data.value;
            }, 5000, "typed " + data.value);
            if (data.end === "enter") {
                tapKeys(["enter"]);
                tryVerify(function () { return page.title === "done" && !page.loading; }, 10000);
            } else {
                tap(700, 250);
                tryVerify(function () { return evaluate("document.activeElement === document.body"); });
            }
            tryCompare(Qt.inputMethod, "visible", false);
            compare(page.height, root.height, "the page has the whole window again");
        }

        // A field at the very end of a page taller than the window stays above the keyboard
        // while it is up; the page is neither reloaded nor covered meanwhile.
        function test_bottomFieldStaysInView() {
            var cover = findChild(page, "loadingCover");
            var events = [];
            var watch = function (request) { events.push(request.status); };
            var watchCover = function () { events.push("cover"); };
            page.loadingChanged.connect(watch);
            cover.visibleChanged.connect(watchCover);
            evaluate("window.scrollTo(0, document.body.scrollHeight); 1");
            var bottom = evaluate("document.getElementById('bottom').getBoundingClientRect().top");
            verify(bottom > root.height / 2, "the field starts in the lower half: " + bottom);
            tap(170, bottom + 20);
            tryCompare(harness.panel, "active", true);
            compare(evaluate("document.activeElement.id"), "bottom");
            var keyboardTop = harness.panel.keyboard.mapToItem(null, 0, 0).y;
            tryCompare(page, "height", keyboardTop);
            tryVerify(function () {
                return evaluate("document.getElementById('bottom').getBoundingClientRect().bottom")
                        <= keyboardTop;
            }, 5000, "the field above the keyboard's top at " + keyboardTop);
            tapKeys(["o", "k"]);
            tryVerify(function () { return evaluate("document.getElementById('bottom').value") === "ok"; });
            evaluate("document.activeElement.blur(); 1");
            tryCompare(Qt.inputMethod, "visible", false);
            tryCompare(page, "height", root.height);
            page.loadingChanged.disconnect(watch);
            cover.visibleChanged.disconnect(watchCover);
            compare(events, []);
        }

        function test_gestures_data() {
            return [
                { tag: "tap follows a link", gesture: "tap" },
                { tag: "drag scrolls", gesture: "drag" },
                { tag: "long press opens the page's menu", gesture: "hold" }
            ];
        }

        function test_gestures(data) {
            if (data.gesture === "drag") {
                touchEvent(page).press(0, page, 400, 500).commit();
                for (var y = 480; y >= 100; y -= 20) {
                    touchEvent(page).move(0, page, 400, y).commit();
                    wait(16); // the pace of a finger
                }
                // The finger rests before it lifts: no fling goes on into the next case.
                wait(200);
                touchEvent(page).move(0, page, 400, 100).commit();
                touchEvent(page).release(0, page, 400, 100).commit();
                tryVerify(function () { return evaluate("window.scrollY") > 200; }, 5000);
            } else if (data.gesture === "tap") {
                tap(500, 70);
                tryVerify(function () { return page.title === "first" && !page.loading; }, 10000);
            } else {
                touchEvent(page).press(0, page, 600, 400).commit();
                tryVerify(function () { return findChild(page, "webContextMenu") !== null; }, 5000);
                var menu = findChild(page, "webContextMenu");
                tryCompare(menu, "opened", true, 5000);
                touchEvent(page).release(0, page, 600, 400).commit();
                menu.close();
                tryCompare(menu, "visible", false);
            }
        }
    }
}
