import QtQuick 2.15
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// What every key style is built on. The keyboard sets `key` and `keyboard`; everything else has a
// default that follows the key's kind, and a style may bind any of it to something of its own.
// Children of a style go into contentContainer, above the key's background.
Item {
    id: root

    property QtObject key: null
    property QtObject keyboard: null
    readonly property int keyType: key ? key.type : VirtualKeyboard.KeyCharacter

    property string text: key ? key.text : ""
    property int keyCode: key ? key.keyCode : 0
    property string displayText: _defaultDisplayText()
    property bool functionKey: keyType !== VirtualKeyboard.KeyCharacter
    property bool uppercased: keyboard ? keyboard.uppercased : false
    property string icon: _defaultIcon()
    property real iconRotation: 0
    property var style: ZelStyle.virtualkeyboard
    property color textColor: _defaultTextColor()
    property color color: _defaultColor()
    // Page switch labels are words ("123", "ABC"): drawn smaller than the characters they name.
    property real relativeInnerMargin: keyType === VirtualKeyboard.KeyPageSwitch
                                       ? 2.5 * style.keyRelativeInnerMargin
                                       : style.keyRelativeInnerMargin
    property bool autorepeat: keyType === VirtualKeyboard.KeyBackspace
    // The key's alternatives as single texts, in upper case while the key types upper case.
    readonly property var alternativeKeys: _alternatives()
    readonly property bool pressed: _area.pressed
    readonly property alias contentContainer: _content
    default property alias content: _content.data

    // Once per tap, and once per repeat while an auto-repeating key is held.
    signal keyClicked()

    function _defaultDisplayText() {
        switch (keyType) {
        case VirtualKeyboard.KeyCharacter:
            return text;
        case VirtualKeyboard.KeyPageSwitch:
            return keyboard ? keyboard.pageSwitchText : "";
        case VirtualKeyboard.KeySpace:
            return keyboard && style.displayLanguageNameOnSpaceKey ? keyboard.languageName : "";
        default:
            return "";
        }
    }

    function _defaultIcon() {
        if (keyType !== VirtualKeyboard.KeyShift)
            return "";
        // arrow-up while off or for one letter, arrow-circle-up while locked
        return keyboard && keyboard.capsLock ? "\uf0aa" : "\uf062";
    }

    function _defaultTextColor() {
        if (!functionKey)
            return style.keyFontColor;
        if (keyType === VirtualKeyboard.KeyShift && uppercased)
            return style.functionKeyActiveFontColor;
        return style.functionKeyFontColor;
    }

    function _defaultColor() {
        switch (keyType) {
        case VirtualKeyboard.KeyCharacter:
            return style.keyBackgroundColor;
        case VirtualKeyboard.KeySpace:
            return style.spaceKeyBackgroundColor;
        case VirtualKeyboard.KeyEnter:
            return style.enterKeyBackgroundColor;
        default:
            return style.functionKeyBackgroundColor;
        }
    }

    function _alternatives() {
        var given = key ? key.alternativeKeys : [];
        var list = typeof given === "string" ? Array.from(given) : Array.from(given || []);
        if (!uppercased || functionKey)
            return list;
        return list.map(function (c) { return c.toUpperCase(); });
    }

    Item {
        id: _content

        anchors.fill: parent
        anchors.margins: root.style.keyRelativeOutterMargin * Math.min(root.width, root.height) / 2

        Rectangle {
            objectName: "keyBackground"
            anchors.fill: parent
            radius: Math.min(width, height) * 0.08
            color: root.color
        }
    }

    MouseArea {
        id: _area

        property bool repeated: false
        property bool alternativesShown: false

        objectName: "keyArea"
        anchors.fill: parent

        onPressed: {
            repeated = false;
            alternativesShown = false;
            if (root.keyboard)
                root.keyboard.keyPressed(root);
            if (root.alternativeKeys.length > 0)
                _longPress.start();
            else if (root.autorepeat)
                _repeat.start();
        }
        onPositionChanged: {
            if (alternativesShown)
                root.keyboard.alternativesMoved(mapToItem(null, mouse.x, mouse.y));
        }
        onReleased: {
            _area.finish();
            if (alternativesShown)
                root.keyboard.alternativesReleased(true);
            else if (containsMouse && !repeated)
                root.keyClicked();
        }
        onCanceled: {
            _area.finish();
            if (alternativesShown)
                root.keyboard.alternativesReleased(false);
        }

        function finish() {
            _longPress.stop();
            _repeat.stop();
            if (root.keyboard)
                root.keyboard.keyReleased(root);
        }
    }

    Timer {
        id: _longPress

        interval: 500
        onTriggered: _area.alternativesShown = root.keyboard
                     && root.keyboard.alternativesRequested(root)
    }

    Timer {
        id: _repeat

        interval: _area.repeated ? 60 : 500
        repeat: true
        onTriggered: {
            _area.repeated = true;
            root.keyClicked();
        }
    }

    onKeyClicked: {
        if (keyboard)
            keyboard.keyActivated(root);
    }
    // A key that turns disabled while held must not repeat on.
    onEnabledChanged: if (!enabled) _area.finish()
}
