import QtQuick 2.12
import QtTest 1.2
import "qrc:/qml/elements"

// The heap is trimmed only while nobody uses the display, and never while something is busy.
TestCase {
    id: testCase

    name: "HeapUpkeep"
    when: windowShown

    property int interval: 40

    Component {
        id: upkeepComponent

        HeapUpkeep {
            property int trims: 0

            interval: testCase.interval
            idleTime: 4 * testCase.interval
            onTrimmed: trims += 1
        }
    }

    function test_quietStates_data() {
        return [
            { tag: "screen saver on", screenSaverOn: true, busy: false, input: false, trims: true },
            { tag: "screen saver on, page loading", screenSaverOn: true, busy: true, input: false, trims: false },
            { tag: "no input for long", screenSaverOn: false, busy: false, input: false, trims: true },
            { tag: "no input for long, keyboard up", screenSaverOn: false, busy: true, input: false, trims: false },
            { tag: "a person at the display", screenSaverOn: false, busy: false, input: true, trims: false },
        ]
    }

    function test_quietStates(data) {
        var upkeep = createTemporaryObject(upkeepComponent, testCase,
                                           { screenSaverOn: data.screenSaverOn, busy: data.busy })
        if (data.trims) {
            tryVerify(function () { return upkeep.trims > 0 }, 5000, "trimmed while quiet")
            return
        }
        // What this tests is a duration: ten intervals, and several idle times, without a trim.
        for (var i = 0; i < 10; ++i) {
            if (data.input)
                mouseClick(testCase, 1, 1)
            wait(testCase.interval)
        }
        compare(upkeep.trims, 0, "no trim while " + data.tag)
        // Once the display is quiet and nothing is busy, the trim that was due comes at once.
        upkeep.screenSaverOn = true
        upkeep.busy = false
        tryVerify(function () { return upkeep.trims > 0 }, 5000, "trimmed once quiet")
    }
}
