import QtQuick 2.12
import QtQuick.Controls 2.12
import QtTest 1.2
import QtWebEngine 1.10
import Zel.Gui 1.0
import "qrc:/qml/pages"

// Runs under webserver.py, which serves the pages on loopback and checks the log: nothing may
// mention the marker "hush-7d1f" (pages loaded with the diagnostic switch off), while the
// "loud-marker" pages must produce the diagnostic lines.
Item {
    id: root

    readonly property string httpUrl: $ZelGui.envVar("CS_TEST_HTTP_URL")
    readonly property string httpsUrl: $ZelGui.envVar("CS_TEST_HTTPS_URL")
    readonly property string controllerUrl: $ZelGui.envVar("CS_TEST_CONTROLLER_URL")

    width: 800
    height: 600

    Component {
        id: pageComponent

        ControllerWebPage {
            anchors.fill: parent
        }
    }

    SignalSpy {
        id: openListSpy

        signalName: "openControllerList"
    }

    SignalSpy {
        id: terminatedSpy

        signalName: "renderProcessTerminated"
    }

    SignalSpy {
        id: checkSpy

        signalName: "finished"
    }

    TestCase {
        name: "ControllerWebPage"
        when: windowShown

        function createPage(properties) {
            var page = createTemporaryObject(pageComponent, root, properties || {});
            verify(page);
            openListSpy.target = page;
            openListSpy.clear();
            terminatedSpy.target = page;
            terminatedSpy.clear();
            return page;
        }

        // Runs start() and waits until a load of url has succeeded and loading has ended.
        function expectLoad(page, url, start) {
            var state = { done: false };
            var watch = function (request) {
                if (request.status === WebEngineView.LoadSucceededStatus
                        && request.url.toString() === url)
                    state.done = true;
            };
            page.loadingChanged.connect(watch);
            start();
            tryVerify(function () { return state.done && !page.loading; }, 20000, "loading " + url);
            page.loadingChanged.disconnect(watch);
        }

        // As the window shows a controller: the address, then the view's url.
        function show(page, url) {
            page.address = url;
            page.url = url;
        }

        function load(page, url) {
            expectLoad(page, url, function () { show(page, url); });
        }

        function evaluate(page, script) {
            var result = { done: false, value: undefined };
            page.runJavaScript(script, function (value) {
                result.value = value;
                result.done = true;
            });
            tryVerify(function () { return result.done; }, 10000, script);
            return result.value;
        }

        function openMenu(page) {
            var menu = findChild(page, "webContextMenu");
            verify(!menu || !menu.visible);
            mouseClick(page, 600, 400, Qt.RightButton);
            tryVerify(function () { return findChild(page, "webContextMenu") !== null; }, 5000);
            menu = findChild(page, "webContextMenu");
            tryCompare(menu, "opened", true, 5000);
            return menu;
        }

        function get(url) {
            var request = new XMLHttpRequest();
            var done = false;
            request.onreadystatechange = function () {
                if (request.readyState === XMLHttpRequest.DONE)
                    done = true;
            };
            request.open("GET", url);
            request.send();
            tryVerify(function () { return done; }, 5000, url);
            return request.responseText;
        }

        // Kills the render processes the way the kernel's out-of-memory killer would.
        function kill() {
            verify(get(httpUrl + "/kill-renderer").indexOf("<p>0</p>") < 0, "no render process found");
        }

        function initTestCase() {
            verify(httpUrl !== "", "run this test through webserver.py");
        }

        function cleanup() {
            get(httpUrl + "/controller/up");
            get(httpUrl + "/controller/status?code=200");
        }

        // The controller's web server goes away (or answers 503 while it boots), the page's own
        // reload fails, the server comes back: the page comes back by itself, but only the
        // controller's own page, only by a reload, and never while it is covered or after a
        // person has gone elsewhere.
        function test_failedLoadComesBack_data() {
            return [
                { tag: "server answers again", recovers: true },
                { tag: "503 while booting", down: "/controller/status?code=503", recovers: true },
                { tag: "restarting: closed without an answer", down: "/controller/status?code=0",
                  recovers: true },
                { tag: "404: the server's own answer", down: "/controller/status?code=404",
                  quiet: true, recovers: false },
                { tag: "link comes up: checked at once", interval: 600000, linkUp: true,
                  recovers: true },
                { tag: "covered by the drawer: only once uncovered", covered: true,
                  recovers: true },
                { tag: "a person followed a link elsewhere", goTo: httpUrl + "/first.html",
                  recovers: false },
                { tag: "a link to another server failed", goTo: "http://127.0.0.1:1/",
                  recovers: false }
            ];
        }

        function test_failedLoadComesBack(data) {
            var interval = data.interval || 200;
            var page = createPage({ recoveryInterval: interval });
            var home = controllerUrl + "/";
            load(page, home);
            compare(page.title, "controller");

            var started = [];
            var failed = [];
            var watch = function (request) {
                if (request.status === WebEngineView.LoadStartedStatus)
                    started.push(request.url.toString());
                if (request.status === WebEngineView.LoadFailedStatus)
                    failed.push(request.url.toString());
            };
            page.loadingChanged.connect(watch);
            get(httpUrl + (data.down || "/controller/down"));
            page.reload();
            tryVerify(function () { return failed.length === 1 && !page.loading; }, 10000);
            compare(failed[0], home);
            // Checks meanwhile find nothing: the error page stays. (With the long period no
            // check runs before the link comes up.)
            if (data.interval === undefined && !data.quiet) {
                checkSpy.target = findChild(page, "webServerCheck");
                checkSpy.clear();
                tryVerify(function () { return checkSpy.count >= 2; }, 10000,
                          "two checks found nothing");
            }
            compare(started, [home]);

            if (data.covered)
                page.covered = true;
            if (data.goTo) {
                // A navigation from inside the page, as a link is followed.
                evaluate(page, "location.href = '" + data.goTo + "'; 1");
                tryVerify(function () { return started.length === 2 && !page.loading; }, 10000);
            }
            started = [];
            get(httpUrl + "/controller/up");
            get(httpUrl + "/controller/status?code=200");
            if (data.linkUp)
                page.linkUp = true;
            if (data.covered || !data.recovers) {
                // Several periods' worth of checks would have reloaded by now.
                wait(6 * interval);
                compare(started, []);
                page.covered = false;
            }
            if (data.recovers) {
                tryVerify(function () { return started.length > 0 && !page.loading; }, 10000,
                          "the page came back");
                compare(started, [home]);
                compare(evaluate(page, "document.title"), "controller");
            } else {
                compare(page.url.toString(), data.goTo || home);
            }
            page.loadingChanged.disconnect(watch);
        }

        // The server answers its check but the page keeps failing: each reload that fails
        // again waits twice as long, up to the limit; a good load starts over.
        function test_recoveryBacksOff() {
            var page = createPage({ recoveryInterval: 150 });
            findChild(page, "pageKeeper").maxInterval = 600;
            var timer = findChild(page, "recoveryTimer");
            var home = controllerUrl + "/";
            load(page, home);
            var waits = [];
            var watch = function (request) {
                if (request.status === WebEngineView.LoadFailedStatus)
                    waits.push(timer.interval);
            };
            page.loadingChanged.connect(watch);
            get(httpUrl + "/controller/status?code=503&path=/");
            page.reload();
            tryVerify(function () { return waits.length >= 5; }, 10000, "reloads: " + waits);
            compare(waits.slice(0, 5), [150, 300, 600, 600, 600]);
            get(httpUrl + "/controller/status?code=200");
            tryVerify(function () { return page.title === "controller" && !page.loading; }, 5000);
            waits = [];
            get(httpUrl + "/controller/status?code=503&path=/");
            page.reload();
            tryVerify(function () { return waits.length >= 1; }, 5000);
            compare(waits[0], 150);
            page.loadingChanged.disconnect(watch);
        }

        function test_privateProfile() {
            var page = createPage();
            verify(page.profile !== WebEngine.defaultProfile);
            compare(page.profile.httpCacheType, WebEngineProfile.NoCache);
            compare(page.profile.persistentCookiesPolicy, WebEngineProfile.NoPersistentCookies);
            compare(page.settings.focusOnNavigationEnabled, false);
            compare(page.debugOutputEnabled, false);
        }

        function test_selfSignedHttpsPageLoads() {
            var page = createPage();
            load(page, httpsUrl + "/first.html?hush-7d1f");
            compare(page.title, "first");
            compare(evaluate(page, "document.getElementById('next').textContent"), "next");
        }

        function test_nothingLoggedWhileSwitchIsOff() {
            var page = createPage();
            load(page, httpUrl + "/console.html?msg=hush-7d1f");
            compare(page.title, "console");
            evaluate(page, "console.log('hush-7d1f again'); 1");
        }

        function test_diagnosticLinesWhenSwitchIsOn() {
            var page = createPage({ debugOutputEnabled: true });
            load(page, httpsUrl + "/first.html?loud-marker");
            load(page, httpUrl + "/console.html?msg=loud-marker");
            compare(page.title, "console");
        }

        function test_contextMenu() {
            var page = createPage();
            load(page, httpUrl + "/first.html");
            var menu = openMenu(page);
            compare(menu.count, 5);
            compare(menu.width, 350);
            var first = menu.itemAt(0);
            compare(first.text, "Open controller list");
            compare(first.icon.source.toString(), "qrc:/assets/cog.svg");
            verify(first.enabled);
            verify(String(menu.itemAt(1)).indexOf("MenuSeparator") === 0, String(menu.itemAt(1)));
            var names = ["Back", "Forward", "Reload"];
            for (var i = 0; i < 3; ++i) {
                var action = page.action(WebEngineView[names[i]]);
                compare(menu.itemAt(i + 2).text, action.text);
                verify(action.text !== "");
            }
            // The first page has no history yet.
            verify(!menu.itemAt(2).enabled);
            verify(!menu.itemAt(3).enabled);
            verify(menu.itemAt(4).enabled);

            mouseClick(first);
            compare(openListSpy.count, 1);
            tryCompare(menu, "visible", false);
            compare(page.url.toString(), httpUrl + "/first.html");
            compare(page.title, "first");
        }

        function test_linkShowsCoverAndEnablesBack() {
            var page = createPage();
            var cover = findChild(page, "loadingCover");
            load(page, httpUrl + "/first.html");
            verify(!cover.visible);
            verify(!page.action(WebEngineView.Back).enabled);

            var coverShown = false;
            expectLoad(page, httpUrl + "/second.html?delay=600", function () {
                // A tap, not a scripted click: the engine keeps no way back to a page the user
                // never touched.
                mouseClick(page, 100, 100);
                // The second page is answered after 600 ms: the cover shows meanwhile.
                tryCompare(cover, "visible", true, 2000);
                coverShown = true;
                verify(Qt.colorEqual(cover.color, ZelStyle.ui.baseColor));
                var badge = findChild(page, "loadingBadge");
                compare(badge.width, 120);
                compare(badge.radius, 24);
                compare(findChild(page, "loadingIndicator").size, 72);
            });
            verify(coverShown);
            verify(!cover.visible);
            compare(page.title, "second");

            var menu = openMenu(page);
            verify(menu.itemAt(2).enabled);
            verify(!menu.itemAt(3).enabled);
            expectLoad(page, httpUrl + "/first.html", function () { mouseClick(menu.itemAt(2)); });
            verify(page.action(WebEngineView.Forward).enabled);
        }

        // After any restart the page shows the latest address set, and a page that loaded
        // after the death is never reloaded by it.
        function test_restart_data() {
            return [
                { tag: "render process killed: its page again", expect: "first" },
                { tag: "new address loaded before the restart is due", delay: 4000,
                  then: "/second.html?delay=0", expect: "second" },
                { tag: "new address still loading when the restart is due",
                  then: "/second.html?delay=2500", expect: "second" },
                { tag: "new address failed before the restart is due",
                  then: "http://127.0.0.1:1/", expect: "" },
                { tag: "the new address's own load kills the render process", before: true,
                  then: "/kill-once?key=" + Date.now(), expect: "survivor" }
            ];
        }

        function test_restart(data) {
            var page = createPage({ restartDelay: data.delay || 1000 });
            var timer = findChild(page, "restartTimer");
            var first = httpUrl + "/first.html";
            var then = data.then ? (data.then.indexOf("http") === 0 ? data.then
                                                                    : httpUrl + data.then) : first;
            load(page, first);
            var started = [];
            var watch = function (request) {
                if (request.status === WebEngineView.LoadStartedStatus)
                    started.push(request.url.toString());
            };
            page.loadingChanged.connect(watch);
            if (data.before)
                show(page, then);
            else
                kill();
            tryCompare(terminatedSpy, "count", 1, 10000);
            if (data.then && !data.before) {
                verify(timer.running);
                show(page, then);
            }
            tryVerify(function () { return !timer.running && !page.loading; }, 20000);
            wait(500); // what is tested: no other load starts once the restart was due
            tryVerify(function () { return !page.loading; }, 20000);
            page.loadingChanged.disconnect(watch);
            compare(page.url.toString(), then);
            if (data.expect !== "")
                compare(evaluate(page, "document.title"), data.expect);
            compare(started.indexOf(first), data.then ? -1 : 0, "loads started: " + started);
            compare(started.filter(function (u) { return u === then; }).length,
                    data.before ? 2 : 1, "loads started: " + started);
        }

        // A third death within the window waits until the first restart has left it; the
        // list is reachable meanwhile.
        function test_restartsAreBounded() {
            var page = createPage({ restartLimit: 2, restartWindow: 60000 });
            var timer = findChild(page, "restartTimer");
            var cover = findChild(page, "deadPageCover");
            load(page, httpUrl + "/first.html");
            for (var i = 1; i <= 2; ++i) {
                expectLoad(page, httpUrl + "/first.html", function () {
                    kill();
                    tryCompare(terminatedSpy, "count", i, 10000);
                    compare(timer.interval, 1000);
                });
                compare(evaluate(page, "document.title"), "first");
            }
            verify(!cover.visible);
            kill();
            tryCompare(terminatedSpy, "count", 3, 10000);
            verify(timer.running);
            verify(timer.interval > 50000, "interval " + timer.interval);
            verify(cover.visible);
            mouseClick(findChild(page, "deadPageListButton"));
            compare(openListSpy.count, 1);
            // A choice made from the list loads at once and ends the wait.
            load(page, httpUrl + "/second.html?delay=0");
            verify(!timer.running);
            verify(!cover.visible);
        }
    }
}
