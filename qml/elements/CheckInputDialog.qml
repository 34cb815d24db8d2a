import QtQuick 2.12
import QtQuick.Dialogs 1.3

// Tells the user which form fields keep the input from being used.
PopupDialog {
    id: root

    // The offending field labels, joined for display.
    property string fields: ""

    function show(labels) {
        close()
        fields = labels.join(", ")
        open()
    }

    title: qsTr("Check input")
    text: qsTr("Please check the following fields") + ":\n" + fields
    standardButtons: StandardButton.Ok
}
