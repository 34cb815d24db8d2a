import QtQuick 2.12
import QtTest 1.2
import Zel.BSP 1.0
import "qrc:/qml/elements"

Item {
    id: root

    // Files that exist on any machine that has this tree; the board's own paths are only used
    // by the application.
    readonly property string firstFile: Qt.resolvedUrl("../../../assets/splash.bmp").toString().replace("file://", "")
    readonly property string secondFile: Qt.resolvedUrl("../../../assets/cog.svg").toString().replace("file://", "")
    readonly property string missingFile: "/nonexistent/splash/splash.bmp"

    width: 800
    height: 600

    Component {
        id: splashComponent

        KelvoSplashScreen {}
    }

    // The cover looks at its conditions once a second: its own ticks say when it has looked.
    SignalSpy {
        id: ticks

        signalName: "triggered"
    }

    TestCase {
        name: "KelvoSplashScreen"
        when: windowShown

        function cleanup() {
            Display.brightness = 100;
        }

        function createSplash(properties) {
            var splash = createTemporaryObject(splashComponent, root, properties);
            ticks.target = findChild(splash, "splashTimer");
            ticks.clear();
            return splash;
        }

        function test_imageChoice_data() {
            return [
                { tag: "first file wins", files: [root.firstFile, root.secondFile], expected: "file://" + root.firstFile },
                { tag: "second file when the first is missing", files: [root.missingFile, root.secondFile], expected: "file://" + root.secondFile },
                { tag: "built-in image when neither exists", files: [root.missingFile, "/nonexistent/other.bmp"], expected: "qrc:/assets/splash.bmp" }
            ];
        }

        function test_imageChoice(data) {
            var splash = createTemporaryObject(splashComponent, root, { splashFiles: data.files });
            var image = findChild(splash, "splashImage");
            compare(image.source.toString(), data.expected);
            compare(image.cache, false);
        }

        function test_builtInImageShownAtItsOwnSize() {
            var splash = createTemporaryObject(splashComponent, root, { splashFiles: [] });
            var image = findChild(splash, "splashImage");
            tryCompare(image, "status", Image.Ready);
            compare(image.width, 480);
            compare(image.height, 480);
            compare(image.x, (root.width - 480) / 2);
            compare(splash.width, root.width);
            // Black all round the image, up to the edges.
            var black = findChild(splash, "splashBackground");
            tryCompare(black, "status", Image.Ready);
            compare([black.width, black.height], [root.width, root.height]);
        }

        function test_staysUntilTheApplicationIsReady() {
            var splash = createSplash({ splashFiles: [] });
            tryCompare(ticks, "count", 1, 3000);
            verify(!splash.isReady);
            splash.appReady = true;
            tryCompare(splash, "isReady", true, 1500);
            tryCompare(splash, "visible", false, 1500);
        }

        function test_waitsForTheBacklight() {
            Display.brightness = 0;
            Display.on = false;
            var splash = createSplash({ splashFiles: [], appReady: true });
            tryCompare(ticks, "count", 2, 4000);
            verify(!splash.isReady);
            compare(splash.opacity, 1);
            Display.brightness = 30;
            tryCompare(splash, "isReady", true, 1500);
            compare(Display.brightness, 100);
            compare(Display.on, true);
            // The fade takes 750 ms: the cover is still there right after the switch-on.
            verify(splash.visible);
            tryCompare(splash, "visible", false, 1500);
            compare(splash.opacity, 0);
        }
    }
}
