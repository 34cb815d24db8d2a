import QtQml 2.15

// A keyboard layout: its pages, in the order the page switch key goes through them.
QtObject {
    default property list<KeyboardPage> pages
}
