import QtQuick 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0
import Zel.System 1.0
import "../elements"

// Display time-out and wired addressing. The page is cached, so it reloads the current settings
// each time it is shown: edits that were not saved are dropped on the way out.
InputPage {
    id: root

    function initFromSettings() {
        form.load(NetworkManager.ethernetConnectionSettings)
        displayTimeoutInput.value = $Controller.displayTimeout
    }

    function apply() {
        // A typed time-out becomes the spin box's value only when the spin box loses the
        // focus (or on Return), and Save takes no focus.
        if (displayTimeoutInput.activeFocus)
            displayTimeoutInput.focus = false
        var labels = form.invalidLabels()
        if (labels.length > 0) {
            validDialog.show(labels)
            return
        }
        NetworkManager.ethernetConnectionSettings = form.settingsRecord()
        $Controller.displayTimeout = displayTimeoutInput.value
        back()
    }

    title: qsTr("Settings")
    action.text: qsTr("Save")

    onActionTriggered: apply()
    onActiveChanged: {
        if (active)
            initFromSettings()
    }
    Component.onCompleted: initFromSettings()

    AddressForm {
        id: form

        firstRow: 2

        FormLabel {
            text: qsTr("Display timeout [s]")
            Layout.row: 0
            Layout.column: 0
        }
        SimpleSpinBox {
            id: displayTimeoutInput

            objectName: "displayTimeoutInput"
            editable: true
            from: 0
            to: 999999
            font: form.font
            Layout.preferredWidth: Math.max(180, implicitWidth)
            Layout.preferredHeight: Math.max(40, implicitHeight)
            Layout.alignment: Qt.AlignRight | Qt.AlignVCenter
        }

        Rectangle {
            color: ZelStyle.ui.borderColor
            Layout.columnSpan: 2
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            Layout.topMargin: 12
            Layout.bottomMargin: 12
        }
    }

    CheckInputDialog {
        id: validDialog

        objectName: "validDialog"
        parent: root
    }
}
