import QtQuick 2.12

// Deletes the character before the cursor, repeating while held.
KeyGeneric {
    dropShadow: false
    icon: "\uf053" // chevron-left
    text: "\u007f"
    keyCode: Qt.Key_Backspace
    textColor: style.functionKeyFontColor
    color: style.functionKeyBackgroundColor
}
