import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import QtWebEngine 1.10
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0
import "qrc:/qml/elements"
import "qrc:/qml/pages"
import "../keyboard/keys.js" as KeyTree

// What a controller's page asks of a person, answered by touch and on the keyboard's keys, and
// what the display refuses it. Runs under webserver.py (its /asks.html); the keyboard lies in
// the overlay above the dialogs, as in the window.
Item {
    id: root

    width: 800
    height: 600

    AppStyle {}

    Component {
        id: pageComponent

        ControllerWebPage {
            anchors.fill: parent
            covered: drawer.position > 0
        }
    }

    DeviceContainer {
        parent: root.Overlay.overlay
        z: 1000

        InputPanel {
            id: panel

            anchors.fill: parent
            animationType: VirtualKeyboard.NoAnimation
        }
    }

    // Opened over the page in one row: the page's dialog waits out of the list's way, and shows
    // once the page is uncovered again.
    TopDrawer {
        id: drawer
    }

    SignalSpy { id: loginSpy; signalName: "authenticationDialogRequested" }
    SignalSpy { id: newViewSpy; signalName: "newViewRequested" }
    SignalSpy { id: downloadSpy; signalName: "downloadRequested" }

    TestCase {
        name: "WebPageAsks"
        when: windowShown

        property var page: null
        property var dialogs: null

        function evaluate(script) {
            var result = { done: false };
            page.runJavaScript(script, function (value) { result.value = value; result.done = true; });
            tryVerify(function () { return result.done; }, 10000, script);
            return result.value;
        }

        function tap(item, x, y) {
            touchEvent(item).press(0, item, x, y).commit();
            touchEvent(item).release(0, item, x, y).commit();
        }

        function tapElement(id) {
            var r = evaluate("(function () { var r = document.getElementById('" + id
                             + "').getBoundingClientRect(); return [r.left, r.top]; })()");
            tap(page, r[0] + 20, r[1] + 20);
        }

        function tapButton(name) {
            var button = findChild(dialogs, name);
            // A button just shown is where its row puts it only once the row is laid out.
            tryVerify(function () { return button.visible && !isPolishScheduled(button.parent); },
                      5000, "no button " + name);
            tap(button, button.width / 2, button.height / 2);
        }

        function tapKeys(names) {
            names.forEach(function (name) {
                tryVerify(function () { return KeyTree.find(panel.keyboard, "key_" + name); });
                mouseClick(KeyTree.find(panel.keyboard, "key_" + name));
            });
        }

        function waitForDialog(data) {
            tryVerify(function () { return dialogs.dialogOpen; }, 10000, "a dialog shows");
            compare(findChild(dialogs, "webDialogTitle").text, data.dialog);
            if (data.text)
                compare(findChild(dialogs, "webDialogText").text, data.text);
        }

        function load(path, title) {
            var url = $ZelGui.envVar("CS_TEST_HTTP_URL") + path;
            page = createTemporaryObject(pageComponent, root);
            dialogs = findChild(root.Overlay.overlay, "webDialogs");
            [loginSpy, newViewSpy, downloadSpy].forEach(function (spy) { spy.clear(); });
            loginSpy.target = newViewSpy.target = page;
            downloadSpy.target = page.profile;
            page.url = url;
            tryVerify(function () { return !page.loading && page.title === title; }, 20000);
            // The engine takes touch once the new page has been drawn.
            evaluate("requestAnimationFrame(function () { requestAnimationFrame(function () {"
                     + " window.drawn = true; }); }); 1");
            tryVerify(function () { return evaluate("window.drawn === true"); }, 5000);
        }

        function init() {
            VirtualKeyboardSettings.layoutPath = "qrc:/qml/keyboard/layouts";
            VirtualKeyboardSettings.stylePath = "qrc:/qml/keyboard/style";
            Qt.inputMethod.hide();
            drawer.close();
            tryCompare(drawer, "position", 0);
        }

        function test_asks_data() {
            var host = "127.0.0.1", login = "Log in to 127.0.0.1", ok = "webDialogOkButton",
                cancel = "webDialogCancelButton", noProgram = "This display does not start other programs.";
            return [
                { tag: "alert waits for OK", waits: true, tap: "alert", dialog: host,
                  text: "Set-point saved", answers: [ok], title: 'alert:"done"' },
                { tag: "alert over the open drawer", waits: true, tap: "alert", drawer: true,
                  dialog: host, answers: [ok], title: 'alert:"done"' },
                { tag: "confirm OK", waits: true, tap: "confirm", dialog: host,
                  text: "Delete schedule?", answers: [ok], title: "confirm:true" },
                { tag: "confirm Cancel", waits: true, tap: "confirm", dialog: host,
                  answers: [cancel], title: "confirm:false" },
                { tag: "prompt OK, typed", waits: true, tap: "prompt", dialog: host, prompt: "Hall",
                  keys: ["o", "f", "f", "i", "c", "e"], answers: [ok], title: 'prompt:"office"' },
                { tag: "prompt Cancel", waits: true, tap: "prompt", dialog: host, answers: [cancel],
                  title: "prompt:null" },
                { tag: "leaving, Cancel stays", arm: true, tap: "leave", dialog: host,
                  answers: [cancel], title: "armed", stays: true },
                { tag: "leaving, OK leaves", arm: true, tap: "leave", dialog: host, answers: [ok],
                  title: "first" },
                { tag: "login Cancel keeps the server's page", tap: "login-a", dialog: login,
                  text: "Realm: Controller A", answers: [cancel], title: "login required" },
                { tag: "login: wrong password asks again, right one logs in", tap: "login-b",
                  dialog: login, text: "Realm: Controller B", logins: ["x", "secret"],
                  title: "logged in" },
                { tag: "tapped target=_blank opens here", tap: "blank", title: "second", back: true },
                { tag: "window.open in a tap opens here", tap: "open", title: "second", back: true },
                { tag: "window.open without a tap is refused", path: "/popup.html", title: "popup" },
                { tag: "download", tap: "download", notice: "This display does not save files." },
                { tag: "file input", tap: "file", notice: "This display does not open files." },
                { tag: "colour input", tap: "colour", notice: "This display has no colour picker." },
                { tag: "mailto: link", tap: "mail", notice: noProgram },
                { tag: "ssh: link", tap: "shell", notice: noProgram },
                { tag: "dialogs in a loop can be stopped", waits: true, tap: "loop", dialog: host,
                  answers: [ok, ok, "webDialogStopButton"], title: 'loop:"done"' }
            ];
        }

        function test_asks(data) {
            load(data.path || "/asks.html", data.path ? data.title : "asks");
            if (data.arm) {
                tapElement("arm");
                tryCompare(page, "title", "armed");
            }
            if (data.tap)
                tapElement(data.tap);
            if (data.drawer) {
                drawer.open();
                tryCompare(drawer, "position", 1);
            }
            if (data.dialog) {
                waitForDialog(data);
                if (data.waits)
                    tryCompare(page, "title", "asking", 5000, "the script waits for the answer");
                tap(findChild(dialogs, "webDialogDim"), 5, 5);
                verify(dialogs.dialogOpen, "a tap beside the dialog answers nothing");
            }
            if (data.prompt) {
                var prompt = findChild(dialogs, "webDialogPromptField");
                compare(prompt.text, data.prompt);
                tryVerify(function () { return prompt.activeFocus && Qt.inputMethod.visible; });
                tapKeys(data.keys);
            }
            (data.logins || []).forEach(function (password, i) {
                tryCompare(loginSpy, "count", i + 1, 10000);
                waitForDialog(data);
                var user = findChild(dialogs, "webDialogUserField");
                var secret = findChild(dialogs, "webDialogPasswordField");
                tryVerify(function () { return user.activeFocus && Qt.inputMethod.visible; });
                tapKeys(["a", "d", "m", "i", "n", "enter"]);
                tryVerify(function () { return secret.activeFocus; }, 5000, "Enter goes on");
                compare(secret.echoMode, TextInput.Password);
                compare(InputContext.inputMethodHints & Qt.ImhNoPredictiveText, Qt.ImhNoPredictiveText);
                tapKeys(password.split("").concat(["enter"]));
            });
            (data.answers || []).forEach(function (button, i) {
                if (data.tap === "loop")
                    tryCompare(findChild(dialogs, "webDialogText"), "text", String(i + 1));
                tapButton(button);
            });
            if (data.dialog)
                tryVerify(function () { return !dialogs.dialogOpen; }, 5000, "the dialog closes");
            if (data.path) {
                tryCompare(newViewSpy, "count", 1, 10000);
                evaluate("1"); // had the window been let through, it would be loading by now
            }
            tryVerify(function () { return page.title === (data.title || "asks") && !page.loading; },
                      10000, "title " + data.title + ", not " + page.title);
            if (data.stays)
                compare(evaluate("location.pathname"), "/asks.html");
            if (data.back) {
                page.goBack();
                tryVerify(function () { return page.title === "asks" && !page.loading; }, 10000);
            }
            if (data.notice) {
                tryCompare(dialogs, "noticeText", data.notice, 10000);
                verify(findChild(dialogs, "webNotice").shown);
                compare($LauncherSpy.count, 0, "no launcher was asked");
            }
            if (data.tap === "download")
                tryCompare(downloadSpy.signalArguments[0][0], "state",
                           WebEngineDownloadItem.DownloadCancelled);
        }
    }
}
