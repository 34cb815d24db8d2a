import QtQuick 2.15

// An image drawn in one colour (its alpha kept), for single-colour icons.
Item {
    id: root

    property url source
    property size sourceSize
    property color color: "black"
    property alias fillMode: _image.fillMode
    property alias status: _image.status
    property alias paintedWidth: _image.paintedWidth
    property alias paintedHeight: _image.paintedHeight
    property alias asynchronous: _image.asynchronous
    property alias smooth: _image.smooth
    property alias mipmap: _image.mipmap

    function _providerUrl() {
        if (root.source.toString() === "")
            return ""
        const c = root.color
        const hex = function (v) { return ("0" + Math.round(v * 255).toString(16)).slice(-2) }
        const argb = hex(c.a) + hex(c.r) + hex(c.g) + hex(c.b)
        return "image://zelcolored/" + argb + "/" + encodeURIComponent(root.source.toString())
    }

    implicitWidth: _image.implicitWidth
    implicitHeight: _image.implicitHeight

    Image {
        id: _image

        anchors.fill: parent
        fillMode: Image.PreserveAspectFit
        sourceSize: root.sourceSize
        source: root._providerUrl()
    }
}
