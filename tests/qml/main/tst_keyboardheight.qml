import QtQuick 2.12
import QtTest 1.2
import Zel.Gui 1.0

// The keyboard's height share follows the device type the platform names in ZEL_DEVICE_TYPE;
// run once per value with the share expected for it in CS_EXPECTED_HEIGHT_RATIO.
Item {
    id: root

    property QtObject $Controller: QtObject {
        property string lastController: ""
        property int displayTimeout: 0

        function checkLastControllerAvailable() { return false }
        function checkControllerAvailable(address) { return false }
    }

    property ListModel $ControllerListModel: ListModel {
        property bool loading: false

        function update() {}
    }

    TestCase {
        name: "KeyboardHeight"
        when: windowShown

        function test_heightRatio() {
            var component = Qt.createComponent("qrc:/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            var window = createTemporaryObject(component, null)
            verify(window)
            var expected = Number($ZelGui.envVar("CS_EXPECTED_HEIGHT_RATIO"))
            verify(expected > 0, "CS_EXPECTED_HEIGHT_RATIO is set")
            fuzzyCompare(ZelStyle.virtualkeyboard.heightRatio, expected, 1e-9)
        }
    }
}
