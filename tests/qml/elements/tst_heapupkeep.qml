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
            onTrimmed: trims += 1
        }
    }

    function test_quietStates_data() {
        return [
            { tag: "screen saver on", screenSaverOn: true, busy: false, input: false, trims: true },
            { tag: "screen saver on, page loading", screenSaverOn: true, busy: true, input: false, trims: false },
            { tag: "no input for long", screenSaverOn: false, busy: false, input: false, trims: true },
            { tag: "no input for long, keyboard up", screenSaverOn: false, busy: true, input: false, trims: false },
            // Taps far closer together than the idle time, for three idle times.
            { tag: "a person at the display", screenSaverOn: false, busy: false, input: true, trims: false },
        ]
    }

    function test_quietStates(data) {
        var idleTime = data.input ? 25 * testCase.interval : 2 * testCase.interval
        var upkeep = createTemporaryObject(upkeepComponent, testCase,
                                           { screenSaverOn: data.screenSaverOn, busy: data.busy,
                                             idleTime: idleTime })
        if (data.trims) {
            tryVerify(function () { return upkeep.trims > 0 }, 5000, "trimmed while quiet")
            return
        }
        // What this tests is a duration: three idle times and several intervals without a trim.
        var end = Date.now() + 3 * idleTime + 5 * testCase.interval
        while (Date.now() < end) {
            if (data.input)
                mouseClick(testCase, 1, 1)
            wait(testCase.interval)
        }
        compare(upkeep.trims, 0, "no trim while " + data.tag)
        // Once the display is quiet and nothing is busy, it is trimmed.
        upkeep.screenSaverOn = true
        upkeep.busy = false
        tryVerify(function () { return upkeep.trims > 0 }, 5000, "trimmed once quiet")
    }
}
