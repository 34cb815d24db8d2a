import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12
import Zel.Gui 1.0

// An entry of the Wi-Fi page's menus.
MenuItem {
    font: $ZelGui.font({ "family": ZelStyle.ui.fontFamily, "pixelSize": $ZelGui.sp(20) })
    Layout.fillWidth: true
    background: Rectangle { color: ZelStyle.ui.baseColor }
}
