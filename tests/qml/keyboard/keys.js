.pragma library

// The first shown item named `name` in the visual tree under `root`, or null. Hidden pages, and
// items waiting for deletion after a page or layout switch, are not searched.
function find(root, name) {
    if (!root || !root.visible)
        return null;
    if (root.objectName === name)
        return root;
    var children = root.children;
    for (var i = 0; i < children.length; ++i) {
        var found = find(children[i], name);
        if (found)
            return found;
    }
    return null;
}

// The children of `item` that have the property `name` (key cells, rows), in order.
function childrenWith(item, name) {
    var found = [];
    for (var i = 0; i < item.children.length; ++i) {
        if (item.children[i][name] !== undefined)
            found.push(item.children[i]);
    }
    return found;
}
