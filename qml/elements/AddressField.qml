import QtQuick 2.12
import QtQuick.Layouts 1.12

// An address field of a form row, filling the row's second column.
IPTextField {
    horizontalAlignment: TextInput.AlignRight
    verticalAlignment: TextInput.AlignVCenter
    Layout.fillWidth: true
}
