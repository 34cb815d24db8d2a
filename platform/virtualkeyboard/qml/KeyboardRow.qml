import QtQml 2.15

// A row of keys; its width is shared out by the keys' weights.
QtObject {
    // Weight of every key of the row that has none of its own.
    property real keyWeight: 100
    default property list<Key> keys
}
