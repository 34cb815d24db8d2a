import QtQuick 2.12
import QtTest 1.2
import Zel.Gui 1.0
import "qrc:/qml/elements"

Item {
    width: 600
    height: 200

    Component {
        id: buttonComponent

        Button {}
    }

    SignalSpy {
        id: clickedSpy

        signalName: "clicked"
    }

    TestCase {
        name: "Button"
        when: windowShown

        function createButton(properties) {
            var button = createTemporaryObject(buttonComponent, parent, properties);
            verify(button);
            clickedSpy.clear();
            clickedSpy.target = button;
            return button;
        }

        function test_size_data() {
            return [
                { tag: "icon only", props: { icon: "qrc:/assets/cog.svg" }, iconShown: true, labelShown: false },
                { tag: "text only", props: { text: "Connect" }, iconShown: false, labelShown: true },
                { tag: "icon and text", props: { text: "Connect", icon: "qrc:/assets/cog.svg" }, iconShown: true, labelShown: true },
                { tag: "neither", props: {}, iconShown: false, labelShown: false }
            ];
        }

        function test_size(data) {
            var button = createButton(data.props);
            var icon = findChild(button, "buttonIcon");
            var label = findChild(button, "buttonLabel");
            compare(button.height, 40);
            compare(icon.visible, data.iconShown);
            compare(label.visible, data.labelShown);
            var content = (data.iconShown ? 0.55 * 40 : 0) + (data.labelShown ? label.implicitWidth : 0);
            if (data.labelShown)
                verify(label.implicitWidth > 0);
            compare(button.width, content + 20);
            compare(icon.sourceSize.width, 22);
            compare(label.font.pixelSize, 22);
        }

        function test_faces_data() {
            return [
                { tag: "enabled", enabled: true, pressed: false, face: "customColor3", content: "white" },
                { tag: "pressed", enabled: true, pressed: true, face: "customColor2", content: "white" },
                { tag: "disabled", enabled: false, pressed: false, face: "customColor1", content: "customColor4" },
                { tag: "disabled and pressed", enabled: false, pressed: true, face: "customColor1", content: "customColor4" }
            ];
        }

        function test_faces(data) {
            var button = createButton({ text: "Save", icon: "qrc:/assets/cog.svg", enabled: data.enabled });
            if (data.pressed)
                mousePress(button, button.width / 2, button.height / 2);
            var content = data.content === "white" ? "white" : ZelStyle.ui[data.content];
            verify(Qt.colorEqual(button.color, ZelStyle.ui[data.face]), "face " + button.color);
            verify(Qt.colorEqual(findChild(button, "buttonLabel").color, content));
            verify(Qt.colorEqual(findChild(button, "buttonIcon").color, content));
            if (data.pressed)
                mouseRelease(button, button.width / 2, button.height / 2);
            compare(clickedSpy.count, data.enabled && data.pressed ? 1 : 0);
        }

        function test_disabledButtonIgnoresTaps() {
            var button = createButton({ text: "Save" });
            mouseClick(button);
            compare(clickedSpy.count, 1);
            button.enabled = false;
            mouseClick(button);
            compare(clickedSpy.count, 1);
        }

        function test_cornerRadiusFollowsHeight() {
            var button = createButton({ text: "Save", height: 60 });
            compare(button.radius, 9);
        }
    }
}
