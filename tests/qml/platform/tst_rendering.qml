import QtQuick 2.15
import QtTest 1.2
import Zel.Gui 1.0

// What the platform draws: icon glyphs and tinted images (needs a real window to grab).
Item {
    id: root

    width: 400
    height: 200

    Component {
        id: coloredImage

        ColoredImage {
            width: 20
            height: 20
            sourceSize: Qt.size(20, 20)
            source: Qt.resolvedUrl("square.svg")
        }
    }

    Component {
        id: glyph

        Text {
            color: "black"
            font: $ZelGui.fontAwesome5Solid(40)
        }
    }

    TestCase {
        name: "Rendering"
        when: windowShown

        function inkPixels(image) {
            let n = 0
            for (let x = 0; x < image.width; ++x)
                for (let y = 0; y < image.height; ++y)
                    if (image.red(x, y) < 128)
                        ++n
            return n
        }

        function test_glyph_draws_data() {
            return ["f053", "f1eb", "f796", "f023", "f013", "f054", "f070", "f06e", "f00c",
                    "f1d8", "f002", "f3be", "f11c", "f078"].map(function (cp) {
                return { tag: "U+" + cp.toUpperCase(), codePoint: parseInt(cp, 16) }
            })
        }

        function test_glyph_draws(data) {
            // A code point the icon font lacks draws as nothing or as a box; a real glyph draws
            // ink and differs from that.
            const missing = createTemporaryObject(glyph, root, { text: String.fromCharCode(0xe0ff) })
            const item = createTemporaryObject(glyph, root, { x: 100, text: String.fromCharCode(data.codePoint) })
            waitForRendering(item)
            const image = grabImage(item)
            verify(image.width > 0, "grabbed")
            verify(inkPixels(image) > 20, "glyph has ink")
            verify(!image.equals(grabImage(missing)), "glyph differs from a missing one")
        }

        function test_coloredimage_tints() {
            const image = createTemporaryObject(coloredImage, root, { color: "#ff0000" })
            tryCompare(image, "status", Image.Ready)
            waitForRendering(image)
            let shot = grabImage(image)
            compare(shot.width, 20)
            compare(shot.red(10, 10), 255)
            compare(shot.green(10, 10), 0)
            // Outside the shape the window's white shows through.
            compare(shot.green(1, 1), 255)
            image.color = "#0000ff"
            waitForRendering(image)
            shot = grabImage(image)
            compare(shot.blue(10, 10), 255)
            compare(shot.red(10, 10), 0)
        }
    }
}
