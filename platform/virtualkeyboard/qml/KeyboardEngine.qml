import QtQml 2.15
import QtQuick 2.15
import Zel.VirtualKeyboard 1.0

// The keyboard's state and what its keys do: the layout for the focused field, the page, shift,
// and the key press that each key sends. The panel draws what this holds.
QtObject {
    id: root

    // Asked for the alternative under a scene point; -1 cancels.
    property Item alternativesPopup: null

    readonly property bool digitsOnly: (InputContext.inputMethodHints
                                        & (Qt.ImhDigitsOnly | Qt.ImhFormattedNumbersOnly)) !== 0
    readonly property string layoutName: digitsOnly ? "digits" : "main"
    readonly property url layoutUrl: _layoutUrl(VirtualKeyboardSettings.layoutPath,
                                                VirtualKeyboardSettings.activeLocale, layoutName)
    property QtObject layout: null
    property int pageIndex: 0
    readonly property QtObject page: layout && pageIndex < layout.pages.length
                                     ? layout.pages[pageIndex] : null
    property bool shifted: false
    property bool capsLock: false
    readonly property bool uppercased: shifted || capsLock
    readonly property string pageSwitchText: _pageSwitchText()
    readonly property string languageName: Qt.locale(VirtualKeyboardSettings.activeLocale)
                                           .nativeLanguageName

    // Shown by the panel: the key whose preview bubble is up, the key whose alternatives are.
    property Item previewKey: null
    property Item alternativesKey: null
    property int alternativeIndex: -1

    property var _layouts: ({})
    property double _lastShiftTap: 0
    property QtObject _focusObject: InputContext.focusObject

    // The arguments are there so that the binding follows them.
    function _layoutUrl(path, locale, name) {
        return VirtualKeyboardSettings.layoutUrl(name);
    }

    function styleName(type) {
        switch (type) {
        case VirtualKeyboard.KeyFiller:
            return "";
        case VirtualKeyboard.KeyBackspace:
            return "KeyBackspace";
        case VirtualKeyboard.KeyEnter:
            return "KeyEnter";
        case VirtualKeyboard.KeyHideKeyboard:
            return "KeyHideKeyboard";
        default:
            return "KeyGeneric";
        }
    }

    function weightOf(key, row) {
        return key.weight > 0 ? key.weight : row.keyWeight;
    }

    // Qt's key code for a character: letters by their upper-case form, anything else by its
    // code point.
    function keyCodeOf(text) {
        var upper = text.toUpperCase();
        var c = upper.length === text.length && upper !== text.toLowerCase() ? upper : text;
        return c.codePointAt(0);
    }

    function _pageSwitchText() {
        if (!layout || layout.pages.length < 2)
            return "";
        var next = (pageIndex + 1) % layout.pages.length;
        return next === 0 ? "ABC" : next === 1 ? "123" : "#+=";
    }

    function _load() {
        var url = layoutUrl.toString();
        if (url === "") {
            if (VirtualKeyboardSettings.layoutPath.toString() !== "")
                console.warn("no keyboard layout", layoutName, "for",
                             VirtualKeyboardSettings.activeLocale, "under",
                             VirtualKeyboardSettings.layoutPath);
            layout = null;
            return;
        }
        if (!_layouts[url]) {
            var component = Qt.createComponent(url);
            if (component.status !== Component.Ready) {
                console.warn("keyboard layout", url, "does not load:", component.errorString());
                layout = null;
                return;
            }
            _layouts[url] = component.createObject(root);
        }
        layout = _layouts[url];
        _reset();
    }

    function _reset() {
        pageIndex = 0;
        shifted = false;
        capsLock = false;
        previewKey = null;
        alternativesKey = null;
    }

    function typeText(text, keyCode) {
        InputContext.sendKeyEventToFocusItem(keyCode, text);
        if (shifted && !capsLock)
            shifted = false;
    }

    function tapShift() {
        var now = Date.now();
        if (capsLock) {
            capsLock = false;
            shifted = false;
        } else if (shifted && now - _lastShiftTap < 500) {
            capsLock = true;
        } else {
            shifted = !shifted;
        }
        _lastShiftTap = now;
    }

    function nextPage() {
        if (!layout || layout.pages.length === 0)
            return;
        pageIndex = (pageIndex + 1) % layout.pages.length;
        shifted = false;
        capsLock = false;
    }

    // The action of a key's kind. Enter and hide-keyboard keys act through their styles.
    function keyActivated(key) {
        switch (key.keyType) {
        case VirtualKeyboard.KeyCharacter:
            typeText(key.uppercased ? key.text.toUpperCase() : key.text, key.keyCode);
            break;
        case VirtualKeyboard.KeySpace:
            typeText(" ", Qt.Key_Space);
            break;
        case VirtualKeyboard.KeyBackspace:
            InputContext.sendKeyEventToFocusItem(key.keyCode || Qt.Key_Backspace, key.text);
            break;
        case VirtualKeyboard.KeyShift:
            tapShift();
            break;
        case VirtualKeyboard.KeyPageSwitch:
            nextPage();
            break;
        }
    }

    // For enter and hide-keyboard keys drawn by a style that is not theirs.
    function fallbackAction(key) {
        if (key.keyType === VirtualKeyboard.KeyEnter)
            InputContext.sendKeyEventToFocusItem(Qt.Key_Return, "\n");
        else if (key.keyType === VirtualKeyboard.KeyHideKeyboard)
            Qt.inputMethod.hide();
    }

    function keyPressed(key) {
        if (!key.functionKey && key.displayText !== "")
            previewKey = key;
    }

    function keyReleased(key) {
        if (previewKey === key)
            previewKey = null;
    }

    function alternativesRequested(key) {
        if (key.alternativeKeys.length === 0)
            return false;
        previewKey = null;
        alternativesKey = key;
        var own = key.alternativeKeys.indexOf(key.uppercased ? key.text.toUpperCase() : key.text);
        alternativeIndex = own >= 0 ? own : 0;
        return true;
    }

    function alternativesMoved(scenePoint) {
        if (alternativesKey && alternativesPopup)
            alternativeIndex = alternativesPopup.indexAt(scenePoint);
    }

    function alternativesReleased(accept) {
        var key = alternativesKey;
        alternativesKey = null;
        if (!accept || !key || alternativeIndex < 0)
            return;
        var text = key.alternativeKeys[alternativeIndex];
        if (text !== undefined)
            typeText(text, keyCodeOf(text));
    }

    onLayoutUrlChanged: _load()
    on_FocusObjectChanged: _reset()
    Component.onCompleted: _load()
}
