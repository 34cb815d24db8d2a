import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.2
import Zel.Gui 1.0

Item {
    id: root

    width: 600
    height: 400

    // Reads the style the way every document does: through the attached ZelStyle.
    Item {
        id: reader

        property color primary: ZelStyle.ui.primaryColor
        property real contentMargin: ZelStyle.ui.contentMargin
        property color functionKeyBackground: ZelStyle.virtualkeyboard.functionKeyBackgroundColor
        property real heightRatio: ZelStyle.virtualkeyboard.heightRatio

        function read(group, key) {
            return ZelStyle[group][key]
        }
    }

    Component {
        id: styleBlock

        ZelStyleGlobal {
            ui.primaryColor: "#008440"
            ui.fontFamily: "Lato"
            ui.customColor1: "#E6E6E6"
            usability.longPressInterval: 1000
            virtualkeyboard.fontFamily: ui.fontFamily
            virtualkeyboard.functionKeyBackgroundColor: ui.customColor1
            virtualkeyboard.enterKeyFontColor: ui.primaryColor
            virtualkeyboard.panelBackgroundColor: "white"
            virtualkeyboard.displayLanguageNameOnSpaceKey: false
        }
    }

    Component {
        id: page

        Rectangle {
            width: 10
            height: 10
        }
    }

    Component {
        id: stackView

        StackView {
            width: 100
            height: 100
        }
    }

    Component {
        id: indicator

        SignalStrengthIndicator {
            width: 40
            height: 40

            Text {
                objectName: "lock"
                text: "\uf023"
            }
        }
    }

    Component {
        id: indicatedList

        ListView {
            width: 100
            height: 100
            model: 50
            delegate: Text { text: index; height: 20 }
            ScrollIndicator.vertical: ScrollIndicator {
                alwaysVisible: true
                handleSize: 5
                color: "red"
            }
        }
    }

    Component {
        id: flickableText

        FlickableText {
            width: 100
            font.pixelSize: 20
        }
    }

    Component {
        id: simpleSwitch

        SimpleSwitch {
            textChecked: "DHCP"
            textUnchecked: "Static"
            checked: true
        }
    }

    Component {
        id: spinBox

        SimpleSpinBox {
            from: 0
            to: 999999
            editable: true
        }
    }

    Component {
        id: simpleButton

        SimpleButton {
            text: "Go"
        }
    }

    SignalSpy {
        id: clickSpy

        signalName: "clicked"
    }

    TestCase {
        name: "Gui"
        when: windowShown

        function test_style_defaults_without_a_block() {
            verify(reader.contentMargin > 0, "platform supplies contentMargin")
            verify(ZelStyle.ui.contentPadding > 0, "platform supplies contentPadding")
            verify(ZelStyle.ui.borderColor.a > 0, "platform supplies borderColor")
            verify(ZelStyle.z.popup > 0 && ZelStyle.z.popup < 1000, "popups stay below the keyboard")
        }

        function test_style_reads_back_data() {
            return [
                { tag: "ui colour", group: "ui", key: "primaryColor", value: "#008440" },
                { tag: "ui font", group: "ui", key: "fontFamily", value: "Lato" },
                { tag: "usability", group: "usability", key: "longPressInterval", value: 1000 },
                { tag: "keyboard panel", group: "virtualkeyboard", key: "panelBackgroundColor", value: "#ffffff" },
                { tag: "keyboard flag", group: "virtualkeyboard", key: "displayLanguageNameOnSpaceKey", value: false },
                { tag: "bound font", group: "virtualkeyboard", key: "fontFamily", value: "Lato" },
                { tag: "bound colour", group: "virtualkeyboard", key: "functionKeyBackgroundColor", value: "#e6e6e6" }
            ]
        }

        function test_style_reads_back(data) {
            const block = createTemporaryObject(styleBlock, root)
            verify(block)
            const got = reader.read(data.group, data.key)
            if (typeof data.value === "string" && data.value.startsWith("#"))
                verify(Qt.colorEqual(got, data.value), got + " != " + data.value)
            else
                compare(got, data.value)
        }

        function test_style_bindings_followed() {
            const block = createTemporaryObject(styleBlock, root)
            block.ui.customColor1 = "#123456"
            verify(Qt.colorEqual(reader.functionKeyBackground, "#123456"))
            block.ui.primaryColor = "#654321"
            verify(Qt.colorEqual(ZelStyle.virtualkeyboard.enterKeyFontColor, "#654321"))
            verify(Qt.colorEqual(reader.primary, "#654321"))
        }

        function test_style_block_gone_falls_back() {
            const fallback = reader.primary
            const block = createTemporaryObject(styleBlock, root)
            verify(Qt.colorEqual(reader.primary, "#008440"))
            block.destroy()
            tryVerify(function () { return Qt.colorEqual(reader.primary, fallback) })
        }

        function test_style_undefined_height_ratio_is_platform_default() {
            const block = createTemporaryObject(styleBlock, root)
            const platformDefault = reader.heightRatio
            block.virtualkeyboard.heightRatio = 0.6
            compare(reader.heightRatio, 0.6)
            block.virtualkeyboard.heightRatio = undefined
            compare(reader.heightRatio, platformDefault)
            verify(platformDefault > 0 && platformDefault < 1)
        }

        function test_itemcache_same_item_for_same_key() {
            const parent = createTemporaryObject(page, root)
            const a = ItemCache.getItem("WIFI_PAGE", page, parent)
            const b = ItemCache.getItem("WIFI_PAGE", page, parent)
            const c = ItemCache.getItem("ETHERNET_INFO_PAGE", page, parent)
            verify(a !== null)
            verify(a === b)
            verify(a !== c)
            verify(!a.visible, "a cached page does not show inside its parent by itself")
        }

        function test_itemcache_survives_page_stack() {
            const parent = createTemporaryObject(page, root)
            const stack = createTemporaryObject(stackView, root)
            const first = ItemCache.getItem("ETHERNET_SETTINGS_PAGE", page, parent)
            stack.push(page, {}, StackView.Immediate)
            stack.push(first, {}, StackView.Immediate)
            compare(stack.currentItem, first)
            verify(first.visible)
            stack.pop(StackView.Immediate)
            stack.push(ItemCache.getItem("ETHERNET_SETTINGS_PAGE", page, parent), {}, StackView.Immediate)
            compare(stack.currentItem, first)
        }

        function test_itemcache_remakes_after_parent_is_gone() {
            const parent = createTemporaryObject(page, root)
            const first = ItemCache.getItem("WIFI_INFO_PAGE", page, parent)
            parent.destroy()
            tryVerify(function () { return !ItemCache.hasItem("WIFI_INFO_PAGE") }, 1000,
                      "forgotten with its parent")
            const other = createTemporaryObject(page, root)
            const second = ItemCache.getItem("WIFI_INFO_PAGE", page, other)
            verify(second !== null)
            compare(second.parent, other)
        }

        function test_itemcache_without_component() {
            ignoreWarning(/no component/)
            compare(ItemCache.getItem("NOTHING", null, root), null)
            verify(!ItemCache.hasItem("NOTHING"))
        }

        function test_envVar_data() {
            return [
                { tag: "set", name: "CS_SOURCE_DIR", nonEmpty: true },
                { tag: "unset", name: "ZEL_SURELY_NOT_SET_ANYWHERE", nonEmpty: false },
                { tag: "empty name", name: "", nonEmpty: false }
            ]
        }

        function test_envVar(data) {
            const value = $ZelGui.envVar(data.name)
            compare(typeof value, "string")
            compare(value.length > 0, data.nonEmpty)
        }

        function test_font_honours_fields() {
            const f = $ZelGui.font({ family: "Lato", pixelSize: 21, bold: true,
                                     capitalization: Font.AllUppercase })
            compare(f.family, "Lato")
            compare(f.pixelSize, 21)
            compare(f.bold, true)
            compare(f.capitalization, Font.AllUppercase)
            const plain = $ZelGui.font({ family: "Lato", pixelSize: 30 })
            compare(plain.bold, false)
            compare(plain.pixelSize, 30)
        }

        function test_sp_scales_design_pixels() {
            // The default screen is the design size.
            compare($ZelGui.sp(10), 10)
            compare($ZelGui.sp(450), 450)
            compare($ZelGui.sp(0), 0)
        }

        function test_icon_fonts() {
            const solid = $ZelGui.fontAwesome5Solid(18)
            const light = $ZelGui.fontAwesome5Light(18)
            compare(solid.pixelSize, 18)
            compare(light.family, solid.family)
            verify(solid.family.indexOf("Font Awesome 5") === 0, solid.family)
        }

        function test_signal_indicator_data() {
            return [
                { tag: "no signal", value: -1, filled: 0, crossed: true },
                { tag: "zero", value: 0, filled: 0, crossed: false },
                { tag: "one", value: 1, filled: 1, crossed: false },
                { tag: "two", value: 2, filled: 2, crossed: false },
                { tag: "three", value: 3, filled: 3, crossed: false },
                { tag: "four", value: 4, filled: 4, crossed: false },
                { tag: "above four", value: 7, filled: 4, crossed: false },
                { tag: "below -1", value: -5, filled: 0, crossed: true }
            ]
        }

        function test_signal_indicator(data) {
            const item = createTemporaryObject(indicator, root, { value: data.value,
                                                                  fillColor: "#ff0000",
                                                                  baseColor: "#00ff00" })
            let filled = 0
            for (let i = 0; i < 4; ++i) {
                const bar = findChild(item, "signalBar" + i)
                if (Qt.colorEqual(bar.color, "#ff0000"))
                    ++filled
            }
            compare(filled, data.filled)
            compare(findChild(item, "noSignalMark").visible, data.crossed)
            const lock = findChild(item, "lock")
            verify(lock.visible)
            verify(item.contains(item.mapFromItem(lock, 1, 1)), "child item lies on the indicator")
        }

        function test_scrollindicator_attaches() {
            const list = createTemporaryObject(indicatedList, root)
            const bar = list.ScrollIndicator.vertical
            verify(bar)
            compare(bar.handleSize, 5)
            waitForRendering(list)
            verify(bar.contentItem.visible)
            compare(bar.contentItem.opacity, 1.0, "shown without a flick")
            verify(Qt.colorEqual(bar.contentItem.color, "red"))
            bar.alwaysVisible = false
            tryCompare(bar.contentItem, "opacity", 0.0)
        }

        function test_flickabletext_scrolls_only_when_too_long() {
            const shortText = createTemporaryObject(flickableText, root, { text: "Wifi" })
            verify(!shortText.interactive)
            const longText = createTemporaryObject(flickableText, root,
                                                   { text: "A network name far too long for the row",
                                                     scrollPause: 10 })
            verify(longText.interactive)
            tryVerify(function () { return longText.contentX > 0 }, 3000, "scrolls by itself")
            longText.autoScrollEnabled = false
            tryCompare(longText, "contentX", 0)
        }

        function test_switch_toggles_and_names_its_state() {
            const control = createTemporaryObject(simpleSwitch, root)
            compare(control.text, "DHCP")
            mouseClick(control)
            compare(control.checked, false)
            compare(control.text, "Static")
            control.checked = true
            compare(control.text, "DHCP")
        }

        function test_spinbox_range_data() {
            return [
                { tag: "lowest", typed: "0", enter: true, value: 0 },
                { tag: "highest", typed: "999999", enter: true, value: 999999 },
                { tag: "above highest refused", typed: "9999999", enter: true, value: 999999 },
                // As a Controls 2 spin box: typing alone does not change the value.
                { tag: "typed without Return", typed: "120", enter: false, value: 5 }
            ]
        }

        function test_spinbox_range(data) {
            const control = createTemporaryObject(spinBox, root, { value: 5 })
            const input = findChild(control, "spinBoxInput")
            input.forceActiveFocus()
            input.selectAll()
            for (let i = 0; i < data.typed.length; ++i)
                keyClick(data.typed[i])
            if (data.enter)
                keyClick(Qt.Key_Return)
            compare(control.value, data.value)
            // Losing the focus takes what was typed.
            root.forceActiveFocus()
            compare(control.value, Math.min(999999, Number(data.typed)))
        }

        function test_spinbox_clamps() {
            const control = createTemporaryObject(spinBox, root, { value: 999999 })
            control.increase()
            compare(control.value, 999999)
            control.value = 0
            control.decrease()
            compare(control.value, 0)
            control.value = 1234567
            compare(control.value, 999999)
        }

        function test_button_clicks_only_when_enabled() {
            const control = createTemporaryObject(simpleButton, root)
            clickSpy.target = control
            clickSpy.clear()
            mouseClick(control)
            compare(clickSpy.count, 1)
            control.enabled = false
            mouseClick(control)
            compare(clickSpy.count, 1)
        }
    }
}
