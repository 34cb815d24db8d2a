import QtQuick 2.12
import QtQuick.Layouts 1.12

// A value of an information table: it takes the rest of the row and wraps.
InfoText {
    wrapMode: Text.Wrap
    Layout.fillWidth: true
}
