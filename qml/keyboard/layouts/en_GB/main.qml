import QtQml 2.12
import Zel.VirtualKeyboard 1.0

// General text: letters, then digits and punctuation, then symbols.
KeyboardLayout {
    // letters
    KeyboardPage {
        KeyboardRow {
            keyWeight: 160

            Key { text: "q"; keyCode: Qt.Key_Q }
            Key { text: "w"; keyCode: Qt.Key_W }
            Key { text: "e"; keyCode: Qt.Key_E; alternativeKeys: "êeëèé" }
            Key { text: "r"; keyCode: Qt.Key_R; alternativeKeys: "ŕrř" }
            Key { text: "t"; keyCode: Qt.Key_T; alternativeKeys: "ţtŧť" }
            Key { text: "y"; keyCode: Qt.Key_Y; alternativeKeys: "ÿyýŷ" }
            Key { text: "u"; keyCode: Qt.Key_U; alternativeKeys: "űūũûüuùú" }
            Key { text: "i"; keyCode: Qt.Key_I; alternativeKeys: "îïīĩiìí" }
            Key { text: "o"; keyCode: Qt.Key_O; alternativeKeys: "œøõôöòóo" }
            Key { text: "p"; keyCode: Qt.Key_P }
        }

        KeyboardRow {
            keyWeight: 155

            Key { type: VirtualKeyboard.KeyFiller; weight: 56 }
            Key { text: "a"; keyCode: Qt.Key_A; alternativeKeys: "aäåãâàá" }
            Key { text: "s"; keyCode: Qt.Key_S; alternativeKeys: "šsşś" }
            Key { text: "d"; keyCode: Qt.Key_D; alternativeKeys: "dđď" }
            Key { text: "f"; keyCode: Qt.Key_F }
            Key { text: "g"; keyCode: Qt.Key_G; alternativeKeys: "ġgģĝğ" }
            Key { text: "h"; keyCode: Qt.Key_H }
            Key { text: "j"; keyCode: Qt.Key_J }
            Key { text: "k"; keyCode: Qt.Key_K }
            Key { text: "l"; keyCode: Qt.Key_L; alternativeKeys: "ĺŀłļľl" }
            Key { type: VirtualKeyboard.KeyFiller; weight: 56 }
        }

        KeyboardRow {
            keyWeight: 155

            Key { type: VirtualKeyboard.KeyShift; keyCode: Qt.Key_Shift; weight: 180 }
            Key { text: "z"; keyCode: Qt.Key_Z; alternativeKeys: "zžż" }
            Key { text: "x"; keyCode: Qt.Key_X }
            Key { text: "c"; keyCode: Qt.Key_C; alternativeKeys: "çcċčć" }
            Key { text: "v"; keyCode: Qt.Key_V }
            Key { text: "b"; keyCode: Qt.Key_B }
            Key { text: "n"; keyCode: Qt.Key_N; alternativeKeys: "ņńnň" }
            Key { text: "m"; keyCode: Qt.Key_M }
            Key { type: VirtualKeyboard.KeyBackspace; keyCode: Qt.Key_Backspace; weight: 180 }
        }

        KeyboardRow {
            Key { type: VirtualKeyboard.KeyPageSwitch; weight: 217 }
            Key { type: VirtualKeyboard.KeySpace; keyCode: Qt.Key_Space; weight: 660 }
            Key { type: VirtualKeyboard.KeyHideKeyboard; weight: 204 }
            Key { type: VirtualKeyboard.KeyEnter; keyCode: Qt.Key_Return; weight: 230 }
        }
    }

    // digits and punctuation
    KeyboardPage {
        KeyboardRow {
            keyWeight: 160

            Key { text: "1"; keyCode: Qt.Key_1 }
            Key { text: "2"; keyCode: Qt.Key_2 }
            Key { text: "3"; keyCode: Qt.Key_3 }
            Key { text: "4"; keyCode: Qt.Key_4 }
            Key { text: "5"; keyCode: Qt.Key_5 }
            Key { text: "6"; keyCode: Qt.Key_6 }
            Key { text: "7"; keyCode: Qt.Key_7 }
            Key { text: "8"; keyCode: Qt.Key_8 }
            Key { text: "9"; keyCode: Qt.Key_9 }
            Key { text: "0"; keyCode: Qt.Key_0 }
        }

        KeyboardRow {
            keyWeight: 160

            Key { type: VirtualKeyboard.KeyFiller; weight: 56 }
            Key { text: "@"; keyCode: Qt.Key_At }
            Key { text: "#"; keyCode: Qt.Key_NumberSign }
            Key { text: "%"; keyCode: Qt.Key_Percent }
            Key { text: "&"; keyCode: Qt.Key_Ampersand }
            Key { text: "*"; keyCode: Qt.Key_Asterisk }
            Key { text: "-"; keyCode: Qt.Key_Minus }
            Key { text: "+"; keyCode: Qt.Key_Plus }
            Key { text: "("; keyCode: Qt.Key_ParenLeft }
            Key { text: ")"; keyCode: Qt.Key_ParenRight }
            Key { type: VirtualKeyboard.KeyFiller; weight: 56 }
        }

        KeyboardRow {
            keyWeight: 156

            Key { text: "!"; keyCode: Qt.Key_Exclam }
            Key { text: "\""; keyCode: Qt.Key_QuoteDbl } // quotation mark
            Key { text: "<"; keyCode: Qt.Key_Less }
            Key { text: ">"; keyCode: Qt.Key_Greater }
            Key { text: "'"; keyCode: Qt.Key_Apostrophe } // apostrophe
            Key { text: ":"; keyCode: Qt.Key_Colon }
            Key { text: ";"; keyCode: Qt.Key_Semicolon }
            Key { text: "."; keyCode: Qt.Key_Period; alternativeKeys: ".," }
            Key { text: "/"; keyCode: Qt.Key_Slash }
            Key { text: "?"; keyCode: Qt.Key_Question }
        }

        KeyboardRow {
            Key { type: VirtualKeyboard.KeyPageSwitch; weight: 217 }
            Key { type: VirtualKeyboard.KeySpace; keyCode: Qt.Key_Space; weight: 660 }
            Key { type: VirtualKeyboard.KeyHideKeyboard; weight: 204 }
            Key { type: VirtualKeyboard.KeyEnter; keyCode: Qt.Key_Return; weight: 230 }
        }
    }

    // symbols
    KeyboardPage {
        KeyboardRow {
            Key { text: "~"; keyCode: Qt.Key_AsciiTilde; weight: 160 }
            Key { text: "`"; keyCode: Qt.Key_QuoteLeft; weight: 160 } // grave accent
            Key { text: "|"; keyCode: Qt.Key_Bar; weight: 160 } // vertical line
            Key { text: "·"; keyCode: Qt.Key_periodcentered; weight: 160 } // middle dot
            Key { text: "√"; keyCode: 0x221A; weight: 160 } // square root
            Key { text: "÷"; keyCode: Qt.Key_division; weight: 160 } // division sign
            Key { text: "×"; keyCode: Qt.Key_multiply; weight: 160 } // multiplication sign
            Key { text: "½"; keyCode: Qt.Key_onehalf; alternativeKeys: "¼⅓½¾⅞"; weight: 160 } // vulgar fraction one half
            Key { text: "{"; keyCode: Qt.Key_BraceLeft; weight: 160 }
            Key { text: "}"; keyCode: Qt.Key_BraceRight; weight: 160 }
        }

        KeyboardRow {
            Key { type: VirtualKeyboard.KeyFiller; weight: 56 }
            Key { text: "$"; keyCode: Qt.Key_Dollar; weight: 160 }
            Key { text: "€"; keyCode: 0x20AC; weight: 160 } // euro sign
            Key { text: "£"; keyCode: Qt.Key_sterling; weight: 160 } // pound sign
            Key { text: "¢"; keyCode: Qt.Key_cent; weight: 160 } // cent sign
            Key { text: "¥"; keyCode: Qt.Key_yen; weight: 160 } // yen sign
            Key { text: "="; keyCode: Qt.Key_Equal; weight: 160 }
            Key { text: "§"; keyCode: Qt.Key_section; weight: 160 } // section sign
            Key { text: "["; keyCode: Qt.Key_BracketLeft; weight: 160 }
            Key { text: "]"; keyCode: Qt.Key_BracketRight; weight: 160 }
            Key { type: VirtualKeyboard.KeyFiller; weight: 56 }
        }

        KeyboardRow {
            Key { text: "_"; keyCode: Qt.Key_Underscore; weight: 156 }
            Key { text: "™"; keyCode: 0x2122; weight: 156 } // trade mark sign
            Key { text: "®"; keyCode: Qt.Key_registered; weight: 156 } // registered sign
            Key { text: "«"; keyCode: Qt.Key_guillemotleft; weight: 156 } // left-pointing double angle quotation mark
            Key { text: "»"; keyCode: Qt.Key_guillemotright; weight: 156 } // right-pointing double angle quotation mark
            Key { text: "“"; keyCode: 0x201C; weight: 156 } // left double quotation mark
            Key { text: "”"; keyCode: 0x201D; weight: 156 } // right double quotation mark
            Key { text: "…"; keyCode: 0x2026; weight: 156 } // horizontal ellipsis
            Key { text: "\\"; keyCode: Qt.Key_Backslash; weight: 156 } // reverse solidus
            Key { text: "^"; keyCode: Qt.Key_AsciiCircum; weight: 156 }
        }

        KeyboardRow {
            Key { type: VirtualKeyboard.KeyPageSwitch; weight: 217 }
            Key { type: VirtualKeyboard.KeySpace; keyCode: Qt.Key_Space; weight: 660 }
            Key { type: VirtualKeyboard.KeyHideKeyboard; weight: 204 }
            Key { type: VirtualKeyboard.KeyEnter; keyCode: Qt.Key_Return; weight: 230 }
        }
    }
}
