import QtQml 2.15

// One page of a layout: its rows from top to bottom.
QtObject {
    // A small keypad rather than a full-width keyboard: drawn centred, about as wide as high.
    property bool minimal: false
    // Smallest width of the page, in pixels.
    property real minimumWidth: 0
    default property list<KeyboardRow> rows
}
