.pragma library

// The first item named `name` in the visual tree under `root`, or null. Items that left the
// tree (a page switched away, waiting for deletion) are not found.
function find(root, name) {
    if (!root)
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
