import QtQuick 2.12

// An IPv4 address, with an optional port (1 to 65535) where `withPort` is set. The validator only
// lets through text that can still be completed to an address, so the field may hold an
// unfinished address but never a wrong one.
BaseTextField {
    id: root

    // A controller may be reached on another port; the display's own addresses, mask, gateway
    // and name servers never carry one.
    property bool withPort: true

    readonly property var _address: /^((?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\.){3}(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])$/
    readonly property var _addressAndPort: /^((?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])\.){3}(?:[0-1]?[0-9]?[0-9]|2[0-4][0-9]|25[0-5])(?::(?:[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5]))?$/

    validator: RegExpValidator {
        regExp: root.withPort ? root._addressAndPort : root._address
    }
    inputMethodHints: Qt.ImhDigitsOnly | Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
    placeholderText: root.withPort ? qsTr("X.X.X.X[:80]") : qsTr("X.X.X.X")
}
