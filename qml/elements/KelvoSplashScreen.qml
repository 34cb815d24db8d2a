import QtQuick 2.12
import Zel.BSP 1.0

// The start-up cover: the board's splash image on black until the application is ready and
// the backlight is on, then it switches the panel on at full brightness and fades out.
// The black is a stretched black image rather than a coloured rectangle: the first frame then
// needs the one drawing program of images, and a display drawing without a GPU compiles each
// program it first uses on the main thread (some 50 ms each) before the stored controller's
// page can start.
Item {
    id: root

    property bool appReady: false
    property bool isReady: false
    // Where the board keeps its splash image, in order of preference; read once at creation.
    property var splashFiles: ["/mnt/splash/splash.bmp", "/mnt/rootfsimg/splash/splash.bmp"]

    function _chooseImage() {
        for (var i = 0; i < splashFiles.length; ++i) {
            if (File.fileExists(splashFiles[i]))
                return "file://" + splashFiles[i];
        }
        return "qrc:/assets/splash.bmp";
    }

    anchors.fill: parent
    visible: opacity > 0
    clip: true

    onIsReadyChanged: {
        if (!isReady)
            return;
        Display.on = true;
        Display.brightness = 100;
        _fade.start();
    }

    Component.onCompleted: _image.source = _chooseImage()

    Image {
        objectName: "splashBackground"
        anchors.fill: parent
        source: "qrc:/assets/black.png"
    }

    Image {
        id: _image

        objectName: "splashImage"
        anchors.centerIn: parent
        cache: false
    }

    Timer {
        objectName: "splashTimer"
        interval: 1000
        repeat: true
        running: true
        onTriggered: {
            if (Display.brightness !== 0 && root.appReady) {
                stop();
                root.isReady = true;
            }
        }
    }

    NumberAnimation {
        id: _fade

        target: root
        property: "opacity"
        from: 1
        to: 0
        duration: 750
    }
}
