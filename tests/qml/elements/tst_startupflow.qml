import QtQuick 2.12
import QtTest 1.2
import "qrc:/qml/elements"

// The start-up decision and the retry, against a stand-in availability check.
TestCase {
    id: testCase

    name: "StartupFlow"

    property var flow: null
    // What the flow asked for, in order: "show <address>" or "list".
    property var outputs: []

    QtObject {
        id: standIn

        // Addresses that answer; all others do not.
        property var reachable: []
        // Every address checked, in order.
        property var checked: []
        // Runs inside a check, as a person's taps may while the real check waits.
        property var duringCheck: null
        // When set, what every check answers.
        property bool overrideAnswer: false
        property var answer

        function checkControllerAvailable(address) {
            checked = checked.concat([address])
            if (duringCheck) {
                var hook = duringCheck
                duringCheck = null
                hook()
            }
            return overrideAnswer ? answer : reachable.indexOf(address) >= 0
        }
    }

    Component {
        id: flowComponent

        StartupFlow {
            availability: standIn
            onShowController: testCase.outputs = testCase.outputs.concat(["show " + address])
            onOpenListAndSearch: testCase.outputs = testCase.outputs.concat(["list"])
        }
    }

    Component {
        id: markerComponent

        Timer {
            property bool fired: false

            onTriggered: fired = true
        }
    }

    // Returns once a timer of the retry's interval, started now, has fired: a retry whose
    // timer was started earlier and still runs has fired by then.
    function awaitRetryInterval() {
        var marker = createTemporaryObject(markerComponent, testCase,
                                           { "interval": flow.retryInterval })
        marker.start()
        tryVerify(function () { return marker.fired }, 3000, "the retry's interval passed")
    }

    function start(options) {
        standIn.reachable = options.reachable || []
        standIn.checked = []
        standIn.overrideAnswer = options.hasOwnProperty("answer")
        standIn.answer = options.answer
        outputs = []
        flow = createTemporaryObject(flowComponent, testCase, {
            "linkUp": options.link, "storedController": options.stored || "",
            "retryInterval": options.interval || 60000 })
        flow.start()
    }

    // Returns once whatever the flow has put off to the event loop has run.
    function settle() {
        var done = false
        Qt.callLater(function () { done = true })
        tryVerify(function () { return done })
    }

    function test_start_data() {
        return [
            { tag: "link down: no check, list", link: false, stored: "127.0.0.2",
              reachable: ["127.0.0.2"], checked: [], outputs: ["list"], retrying: true },
            { tag: "stored controller answers", link: true, stored: "127.0.0.2",
              reachable: ["127.0.0.2"], checked: ["127.0.0.2"], outputs: ["show 127.0.0.2"],
              retrying: false },
            { tag: "stored controller silent", link: true, stored: "127.0.0.2", reachable: [],
              checked: ["127.0.0.2"], outputs: ["list"], retrying: true },
            { tag: "an answer other than false", link: true, stored: "127.0.0.2",
              answer: undefined, checked: ["127.0.0.2"], outputs: ["show 127.0.0.2"],
              retrying: false },
            { tag: "nothing stored", link: true, stored: "", checked: [], outputs: ["list"],
              retrying: false }
        ]
    }

    function test_start(data) {
        start(data)
        compare(standIn.checked, data.checked)
        compare(outputs, data.outputs)
        compare(flow.retrying, data.retrying)
    }

    function test_retryShowsTheControllerOnceItAnswers_data() {
        return [
            { tag: "the link comes up", link: false },
            { tag: "the interval ends, twice", link: true, interval: 50 }
        ]
    }

    function test_retryShowsTheControllerOnceItAnswers(data) {
        start({ link: data.link, stored: "127.0.0.2", interval: data.interval })
        if (data.link) {
            tryVerify(function () { return standIn.checked.length >= 2 })
            verify(flow.retrying, "a silent retry tries again")
        } else {
            flow.linkUp = true
        }
        standIn.reachable = ["127.0.0.2"]
        tryCompare(testCase, "outputs", ["list", "show 127.0.0.2"])
        if (!data.link)
            compare(standIn.checked, ["127.0.0.2"])
        verify(!flow.retrying)
    }

    // A person at the display or a choice ends the retry, even one whose check is running: the
    // stored controller must not take the screen away.
    function test_retryEnds_data() {
        return [
            { tag: "a person, then the link comes up", before: "person", link: false },
            { tag: "a person, then the interval ends", before: "person", link: true },
            { tag: "a choice, then the link comes up", before: "choice", link: false },
            { tag: "a person during the check", during: "person", link: true },
            { tag: "a choice during the check", during: "choice", link: true }
        ]
    }

    function test_retryEnds(data) {
        start({ link: data.link, stored: "127.0.0.2", interval: 50 })
        standIn.reachable = ["127.0.0.2"]
        var end = function (how) {
            if (how === "person")
                flow.personUsedDisplay()
            else
                flow.stopRetry()
        }
        if (data.before)
            end(data.before)
        else
            standIn.duringCheck = function () { end(data.during) }
        if (!data.link)
            flow.linkUp = true
        if (data.during)
            tryVerify(function () { return standIn.checked.length === 2 }, 3000, "the retry's check")
        else if (data.link)
            awaitRetryInterval()
        settle()
        compare(outputs, ["list"])
        verify(!flow.retrying)
        compare(standIn.checked.length, data.during ? 2 : (data.link ? 1 : 0))
    }

    function test_linkChangeWithoutRetryDoesNothing() {
        start({ link: true, stored: "127.0.0.2", reachable: ["127.0.0.2"] })
        flow.linkUp = false
        flow.linkUp = true
        settle()
        compare(standIn.checked, ["127.0.0.2"], "the decision is not repeated")
        compare(outputs, ["show 127.0.0.2"])
    }
}
