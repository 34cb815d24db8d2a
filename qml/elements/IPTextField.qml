import QtQuick 2.12

// An IPv4 address with an optional port. The validator only lets through text that can still
// be completed to an address, so the field may hold an unfinished address but never a wrong one.
BaseTextField {
    id: root

    validator: RegExpValidator {
        regExp: /^((?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\.){3}(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])(?:\:[0-9]{1,5})?$/
    }
    inputMethodHints: Qt.ImhDigitsOnly | Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
    placeholderText: qsTr("X.X.X.X[:80]")
}
