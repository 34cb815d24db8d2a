import QtQuick 2.15
import Zel.VirtualKeyboard 1.0

// One key's place in a row: loads the key's style from the style path and hands it the key.
Item {
    id: root

    property QtObject key: null
    property QtObject engine: null

    readonly property string _styleName: key && engine ? engine.styleName(key.type) : ""
    readonly property url _ownStyle: _styleUrl(VirtualKeyboardSettings.stylePath, _styleName)
    // A kind whose style is missing is drawn as a generic key and acts through the engine.
    readonly property bool _fallback: _styleName !== "" && _ownStyle.toString() === ""
    readonly property url _url: _fallback ? _styleUrl(VirtualKeyboardSettings.stylePath, "KeyGeneric")
                                          : _ownStyle
    readonly property Item item: _loader.item

    // The path argument is there so that the binding follows it.
    function _styleUrl(path, name) {
        return name === "" ? "" : VirtualKeyboardSettings.styleUrl(name);
    }

    function _objectName() {
        switch (key.type) {
        case VirtualKeyboard.KeyCharacter:
            return "key_" + key.text;
        case VirtualKeyboard.KeyShift:
            return "key_shift";
        case VirtualKeyboard.KeyBackspace:
            return "key_backspace";
        case VirtualKeyboard.KeyPageSwitch:
            return "key_pageSwitch";
        case VirtualKeyboard.KeySpace:
            return "key_space";
        case VirtualKeyboard.KeyHideKeyboard:
            return "key_hide";
        case VirtualKeyboard.KeyEnter:
            return "key_enter";
        default:
            return "key_filler";
        }
    }

    function _reload() {
        if (_url.toString() === "") {
            if (_styleName !== "" && VirtualKeyboardSettings.stylePath.toString() !== "")
                console.warn("no key style", _styleName, "under", VirtualKeyboardSettings.stylePath);
            _loader.source = "";
            return;
        }
        _loader.setSource(_url, { key: key, keyboard: engine, objectName: _objectName() });
    }

    objectName: key ? _objectName() + "_cell" : ""

    on_UrlChanged: _reload()
    Component.onCompleted: _reload()

    Loader {
        id: _loader

        anchors.fill: parent
        onStatusChanged: {
            if (status === Loader.Error)
                console.warn("key style", root._url, "does not load");
        }
    }

    Connections {
        target: root._fallback ? _loader.item : null
        function onKeyClicked() { root.engine.fallbackAction(_loader.item); }
    }
}
