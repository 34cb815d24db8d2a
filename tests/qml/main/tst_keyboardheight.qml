import QtQuick 2.12
import QtTest 1.2
import Zel.Gui 1.0
import "qrc:/qml/elements"

// The keyboard's height share follows the device type the platform names in ZEL_DEVICE_TYPE;
// run once per value with the share expected for it in CS_EXPECTED_HEIGHT_RATIO.
Item {
    AppStyle {}

    TestCase {
        name: "KeyboardHeight"

        function test_heightRatio() {
            var expected = Number($ZelGui.envVar("CS_EXPECTED_HEIGHT_RATIO"))
            verify(expected > 0, "CS_EXPECTED_HEIGHT_RATIO is set")
            fuzzyCompare(ZelStyle.virtualkeyboard.heightRatio, expected, 1e-9)
        }
    }
}
