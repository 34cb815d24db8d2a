import QtQuick 2.12
import QtQuick.Layouts 1.12

// An address field of a form row, filling the row's second column: one of the display's own
// addresses, which takes no port.
IPTextField {
    withPort: false
    horizontalAlignment: TextInput.AlignRight
    verticalAlignment: TextInput.AlignVCenter
    Layout.fillWidth: true
}
