import QtQuick 2.12
import Zel.VirtualKeyboard 1.0

// Sends Return to the focused field, and shows and enables itself by that field's EnterKeyAction.
KeyGeneric {
    id: root

    readonly property QtObject control: InputContext.focusObject

    readonly property int _action: control ? control.EnterKeyAction.actionId : -1
    readonly property string _label: control ? control.EnterKeyAction.label : ""
    readonly property var _glyph: _glyphFor(_action, _label)
    readonly property color _fontColor: style.enterKeyFontColor

    // Icon and rotation for an action; a null rotation leaves the rotation as it is.
    function _glyphFor(action, label) {
        if (!control)
            return { icon: "", rotation: null };
        switch (action) {
        case EnterKeyAction.Go:
        case EnterKeyAction.Next:
        case EnterKeyAction.Done:
            return { icon: "\uf00c", rotation: 0 }; // check
        case EnterKeyAction.Send:
            return { icon: "\uf1d8", rotation: 0 }; // paper-plane
        case EnterKeyAction.Search:
            return { icon: "\uf002", rotation: 0 }; // search
        case EnterKeyAction.None:
            if (label !== "")
                return { icon: "", rotation: null };
            break;
        }
        return { icon: "\uf3be", rotation: 90 }; // level-down-alt
    }

    dropShadow: false
    functionKey: true
    color: style.enterKeyBackgroundColor
    textColor: Qt.rgba(_fontColor.r, _fontColor.g, _fontColor.b, enabled ? 1.0 : 0.4)
    enabled: control ? control.EnterKeyAction.enabled : false
    keyCode: Qt.Key_Return
    displayText: _label
    icon: _glyph.icon
    iconRotation: _glyph.rotation !== null ? _glyph.rotation : 0

    onKeyClicked: InputContext.sendKeyEventToFocusItem(keyCode, "\n")
}
