import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import QtWebEngine 1.8
import Zel.Gui 1.0
import "qrc:/qml/elements"
import "qrc:/qml/pages"

// Whatever the page does, the way back stays and the display says what is wrong. Runs under
// webserver.py, whose pages and stand-in controller play each kind of page.
Item {
    id: root

    width: 1280
    height: 800

    Component {
        id: pageComponent

        ControllerWebPage {
            anchors.fill: parent
            covered: drawer.position > 0
        }
    }

    TopDrawer {
        id: drawer
    }

    TestCase {
        name: "PageKinds"
        when: windowShown

        function get(path) {
            var request = new XMLHttpRequest();
            request.open("GET", $ZelGui.envVar("CS_TEST_HTTP_URL") + path);
            request.send();
            tryVerify(function () { return request.readyState === XMLHttpRequest.DONE; }, 5000, path);
        }

        // A finger from the very edge of the screen, over the page.
        function pullFromEdge() {
            var touch = touchEvent(root);
            touch.press(0, root, 640, 2).commit();
            for (var y = 50; y <= 600; y += 50)
                touch.move(0, root, 640, y).commit();
            touch.release(0, root, 640, 600).commit();
            tryCompare(drawer, "position", 1, 5000, "the drawer was pulled open");
            drawer.close();
            tryCompare(drawer, "position", 0);
        }

        function cleanup() {
            get("/controller/up");
            get("/controller/status?code=200");
        }

        function test_kinds_data() {
            return [
                { tag: "cancels menu and touches: pulled from the edge", path: "/nomenu.html", pull: true },
                { tag: "hangs: shown as stopped, comes back by itself", path: "/hang.html?key=" + Date.now(),
                  hangs: true },
                { tag: "dialogs in a loop: a few, then no more; the edge stays free", path: "/storm.html",
                  storm: true },
                { tag: "never ends loading: the cover goes down", path: "/endless.html", endless: true },
                { tag: "refused: the controller does not answer; try now", down: "/controller/down",
                  reason: "The controller does not answer", tryNow: true },
                { tag: "503 with a page: the server's error", down: "/controller/status?code=503&body=1",
                  reason: "(503)" },
                { tag: "link down: said so", down: "/controller/down", linkUp: false, reason: "network cable" }
            ];
        }

        function test_kinds(data) {
            var page = createTemporaryObject(pageComponent, root, {
                hangTimeout: 2000, coverLimit: 1500, linkUp: data.linkUp !== false });
            findChild(page, "pageKeeper").probeInterval = 300;
            var url = data.path ? $ZelGui.envVar("CS_TEST_HTTP_URL") + data.path
                                : $ZelGui.envVar("CS_TEST_CONTROLLER_URL") + "/";
            var starts = 0;
            page.loadingChanged.connect(function (r) { starts += r.status === WebEngineView.LoadStartedStatus; });
            page.address = url;
            page.url = url;
            // Each page's title starts with the last part of its path.
            var title = data.path ? data.path.replace(/^\/|\.html.*$/g, "") : "controller";
            tryVerify(function () { return page.title.indexOf(title) === 0; }, 20000, page.title);
            if (data.pull)
                pullFromEdge();
            if (data.hangs) {
                tryCompare(page, "hung", true, 10000, "the hang was noticed");
                verify(findChild(page, "deadPageCover").visible);
                compare(findChild(page, "deadPageText").text, "The page does not respond. It is restarted shortly.");
                tryVerify(function () { return page.title === "alive" && !page.loading; }, 20000, page.title);
                verify(!findChild(page, "deadPageCover").visible);
                compare(page.url.toString(), url);
            }
            if (data.storm) {
                var dialogs = findChild(root.Overlay.overlay, "webDialogs");
                tryVerify(function () { return dialogs.dialogOpen; }, 20000);
                pullFromEdge();
                for (var i = 0; i < 5; ++i) {
                    tryVerify(function () { return dialogs.dialogOpen; }, 5000, "dialog " + i);
                    mouseClick(findChild(dialogs, "webDialogOkButton"));
                }
                tryVerify(function () { return /storm \d\d/.test(page.title); }, 10000, page.title);
                verify(!dialogs.dialogOpen, "no more dialogs");
            }
            if (data.endless) {
                tryCompare(findChild(page, "loadingCover"), "visible", false, 10000);
                verify(page.loading && findChild(page, "stillLoadingSign").item !== null);
            }
            if (data.down) {
                tryVerify(function () { return !page.loading; }, 20000);
                get(data.down);
                page.reload();
                tryVerify(function () { return findChild(page, "loadFailureStrip") !== null; }, 20000, "strip");
                var reason = findChild(findChild(page, "loadFailureStrip"), "failureReason").text;
                verify(reason.indexOf(data.reason) >= 0, reason);
                if (data.tryNow) {
                    starts = 0;
                    mouseClick(findChild(page, "failureTryNowButton"));
                    tryVerify(function () { return starts > 0; }, 5000, "tried again");
                }
            }
        }
    }
}
