import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Controls 2.12 as QQC2
import QtQuick.Window 2.12
import QtWebEngine 1.8
import Zel.Gui 1.0
import Zel.VirtualKeyboard 1.0

// What a web page asks of a person, in the display's own dialogs: its JavaScript dialogs
// (alert, confirm, prompt, the leave-page question) and HTTP logins, one at a time in the
// order asked, and short notices of what this display does not do. Meant for the window's
// overlay: an item inside a DeviceContainer turns with the device, a popup would not.
// A page's script waits until its dialog is answered; a tap beside a dialog answers nothing.
// Nothing here stands in the way back to the list: the drawer's edge is left free (a dialog
// shows above the open drawer too, as the page's script waits for it), and a page that raises
// more than stormLimit dialogs within stormWindow ms gets no more until it is loaded again.
Item {
    id: root

    // How many dialogs a page may raise straight after one another before the person is
    // offered to stop them: a page that raises them in a loop must not hold the display.
    property int streakLimit: 3
    property int streakGap: 1000
    property int stormLimit: 5
    property int stormWindow: 10000
    property int freeEdge: Qt.TopEdge
    property real freeEdgeWidth: 0
    property int noticeDuration: 4000
    property int maxMessageLength: 5000

    readonly property bool dialogOpen: _current !== null
    readonly property alias noticeText: _notice.text

    // { kind: "script" | "login", request }, in the order the engine asked.
    property var _queue: []
    property var _current: null
    property Item _returnFocus: null
    property int _streak: 0
    property double _answeredAt: 0
    property bool _blocked: false
    property var _raisedAt: []

    readonly property real _margin: ZelStyle.ui.contentMargin
    readonly property int _scriptType: _current !== null && _current.kind === "script"
                                       ? _current.request.type : -1
    readonly property bool _isPrompt: _scriptType === JavaScriptDialogRequest.DialogTypePrompt
    readonly property bool _isAlert: _scriptType === JavaScriptDialogRequest.DialogTypeAlert
    readonly property bool _isLogin: _current !== null && _current.kind === "login"
    // Where the keyboard begins in the dialogs' upright area; the platform gives its
    // rectangle in the window's coordinates.
    readonly property real _keyboardTop: _keyboardTopIn(_area)

    function _keyboardTopIn(area) {
        var rectangle = Qt.inputMethod.keyboardRectangle;
        if (!Qt.inputMethod.visible || rectangle.height <= 0)
            return area.height;
        var r = area.mapFromItem(null, rectangle.x, rectangle.y, rectangle.width,
                                 rectangle.height);
        return Math.max(0, Math.min(area.height, r.y));
    }

    function showScriptDialog(request) {
        request.accepted = true;
        var now = Date.now();
        root._streak = now - root._answeredAt < root.streakGap ? root._streak + 1 : 0;
        root._raisedAt = root._raisedAt.filter(function (t) { return now - t < root.stormWindow; });
        root._raisedAt.push(now);
        if (!root._blocked && root._raisedAt.length > root.stormLimit) {
            root._blocked = true;
            notify(qsTr("This page asked too often. Its messages are not shown until it is loaded again."));
        }
        if (root._blocked) {
            request.dialogReject();
            return;
        }
        _enqueue({ kind: "script", request: request });
    }

    function showLogin(request) {
        request.accepted = true;
        _enqueue({ kind: "login", request: request });
    }

    function notify(text) {
        _notice.text = text;
        _noticeTimer.restart();
    }

    // The page went away (a new one loads, or its render process died: `gone`): its script
    // dialogs can no longer be answered, and a new page may raise dialogs again. A loading page
    // keeps its leave-page question: the engine waits for that answer before it goes on.
    function pageChanged(gone) {
        var stale = function (entry) {
            var leaving = entry.kind === "script"
                    && entry.request.type === JavaScriptDialogRequest.DialogTypeBeforeUnload;
            return entry.kind === "script" && (gone || !leaving);
        };
        root._blocked = false;
        root._streak = 0;
        root._raisedAt = [];
        root._queue = root._queue.filter(function (entry) { return !stale(entry); });
        if (root._current && stale(root._current))
            _showNext();
    }

    function _enqueue(entry) {
        root._queue.push(entry);
        if (!root._current)
            _showNext();
    }

    function _hostOf(url) {
        var match = /^[a-z][a-z0-9+.\-]*:\/\/(?:[^@\/?#]*@)?(\[[^\]]*\]|[^:\/?#]*)/i
                .exec(url.toString());
        return match && match[1] !== "" ? match[1] : url.toString();
    }

    function _showNext() {
        if (root._queue.length === 0) {
            root._current = null;
            if (root._returnFocus)
                root._returnFocus.forceActiveFocus();
            root._returnFocus = null;
            return;
        }
        // What had the focus (the page, a field of it) gets it back once all are answered.
        if (!root._current)
            root._returnFocus = root.Window.activeFocusItem;
        var entry = root._queue.shift();
        var request = entry.request;
        _promptField.text = entry.kind === "script" ? request.defaultText : "";
        _userField.text = "";
        _passwordField.text = "";
        root._current = entry;
        _body.contentY = 0;
        _focusCurrent();
    }

    function _focusCurrent() {
        if (!root._current)
            return;
        if (root._isPrompt)
            _focusField(_promptField);
        else if (root._isLogin)
            _focusField(_userField);
        else
            _frame.forceActiveFocus();
    }

    function _focusField(field) {
        field.forceActiveFocus();
        field.selectAll();
        Qt.inputMethod.show();
    }

    function _title() {
        if (!root._current)
            return "";
        var request = root._current.request;
        if (root._current.kind === "script")
            return _hostOf(request.securityOrigin);
        if (request.type === AuthenticationDialogRequest.AuthenticationTypeProxy)
            return qsTr("Log in to the proxy %1").arg(request.proxyHost);
        return qsTr("Log in to %1").arg(_hostOf(request.url));
    }

    function _message() {
        if (!root._current)
            return "";
        var request = root._current.request;
        if (root._current.kind === "login")
            return request.realm !== "" ? qsTr("Realm: %1").arg(request.realm) : "";
        if (request.type === JavaScriptDialogRequest.DialogTypeBeforeUnload)
            return qsTr("Leave this page? Changes you made may not be saved.");
        // Laying out megabytes would stall the display; nobody reads that far on a wall.
        var message = request.message;
        return message.length > root.maxMessageLength
                ? message.substring(0, root.maxMessageLength) + "\u2026" : message;
    }

    function _answer(accepted) {
        var entry = root._current;
        if (!entry)
            return;
        var request = entry.request;
        if (entry.kind === "login") {
            if (accepted)
                request.dialogAccept(_userField.text, _passwordField.text);
            else
                request.dialogReject();
        } else {
            root._answeredAt = Date.now();
            if (!accepted)
                request.dialogReject();
            else if (request.type === JavaScriptDialogRequest.DialogTypePrompt)
                request.dialogAccept(_promptField.text);
            else
                request.dialogAccept();
        }
        _passwordField.text = "";
        Qt.inputMethod.hide();
        _showNext();
    }

    function _stopDialogs() {
        root._blocked = true;
        _answer(false);
    }

    visible: root.dialogOpen || _notice.opacity > 0


    // The dialogs lie in a modeless popup of their own, above the drawer's: from Qt 5.15.8 an
    // open modal popup (the drawer) takes the presses of the overlay's plain items, whatever
    // their z, but not those of a popup above it. Shown only with a dialog, so that a notice
    // alone never takes a press. It leaves out the drawer's edge, where the dimming only lies.
    Popup {
        readonly property real _free: root.freeEdgeWidth

        parent: root.parent
        x: root.freeEdge === Qt.LeftEdge ? _free : 0
        y: root.freeEdge === Qt.TopEdge ? _free : 0
        width: parent ? parent.width - (root.freeEdge === Qt.LeftEdge
                                        || root.freeEdge === Qt.RightEdge ? _free : 0) : 0
        height: parent ? parent.height - (root.freeEdge === Qt.TopEdge
                                          || root.freeEdge === Qt.BottomEdge ? _free : 0) : 0
        z: root.z
        visible: root.dialogOpen && parent !== null
        modal: false
        dim: false
        closePolicy: Popup.NoAutoClose
        padding: 0
        topInset: root.freeEdge === Qt.TopEdge ? -_free : 0
        bottomInset: root.freeEdge === Qt.BottomEdge ? -_free : 0
        leftInset: root.freeEdge === Qt.LeftEdge ? -_free : 0
        rightInset: root.freeEdge === Qt.RightEdge ? -_free : 0
        background: Rectangle {
            color: ZelStyle.ui.dimmedBackgroundColor
        }

        DeviceContainer {
            Item {
                id: _area

                anchors.fill: parent

                // Everything beside the dialog is dimmed and takes every press, so none reaches
                // the page or the drawer below.
                MouseArea {
                    objectName: "webDialogDim"
                    anchors.fill: parent
                    visible: root.dialogOpen
                }

                // The look of PopupDialog; centred in what the keyboard leaves free, never taller
                // than that: a long message scrolls, the buttons stay.
                Page {
                    id: _frame

                    objectName: "webDialog"
                    visible: root.dialogOpen
                    width: Math.min(_area.width - 2 * root._margin, $ZelGui.sp(450))
                    height: Math.min(implicitHeight + 2 * root._margin,
                                     Math.max(0, root._keyboardTop - 2 * root._margin))
                    x: (_area.width - width) / 2
                    y: Math.max(root._margin, (root._keyboardTop - height) / 2)
                    padding: root._margin
                    title: root._title()
                    font: $ZelGui.font({ family: ZelStyle.ui.fontFamily, pixelSize: 21 })

                    Keys.onEscapePressed: root._answer(root._isAlert)

                    background: Rectangle {
                        color: ZelStyle.ui.baseColor
                        border.width: 2
                        border.color: ZelStyle.ui.borderColor
                    }

                    header: Item {
                        implicitHeight: _title.height + root._margin

                        FlickableText {
                            id: _title

                            objectName: "webDialogTitle"
                            x: root._margin
                            y: root._margin
                            width: _frame.width - 4 * root._margin
                            text: _frame.title
                            font: $ZelGui.font({ family: ZelStyle.ui.fontFamily, bold: true,
                                                 pixelSize: $ZelGui.sp(22) })
                        }
                    }

                    // The message scrolls when it is too long; the fields below it always show.
                    contentItem: Item {
                        readonly property real _spacing: ZelStyle.ui.contentPadding / 2
                        readonly property real _fieldsHeight: _fields.height > 0
                                                              ? _spacing + _fields.height : 0

                        implicitHeight: (_text.visible ? _text.implicitHeight : 0) + _fieldsHeight

                        Flickable {
                            id: _body

                            width: parent.width
                            height: Math.max(0, parent.height - parent._fieldsHeight)
                            contentHeight: _text.implicitHeight
                            clip: true
                            boundsBehavior: Flickable.StopAtBounds
                            flickableDirection: Flickable.VerticalFlick
                            interactive: contentHeight > height

                            QQC2.ScrollIndicator.vertical: ScrollIndicator {
                                alwaysVisible: true
                                visible: _body.interactive
                                color: ZelStyle.ui.primaryColor
                                handleSize: 5
                            }

                            Label {
                                id: _text

                                objectName: "webDialogText"
                                x: root._margin
                                width: _body.width - 2 * root._margin
                                visible: text !== ""
                                text: root._message()
                                textFormat: Text.PlainText
                                wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                                font: _frame.font
                            }
                        }

                        Column {
                            id: _fields

                            anchors.bottom: parent.bottom
                            width: parent.width
                            spacing: parent._spacing

                            BaseTextField {
                                id: _promptField

                                objectName: "webDialogPromptField"
                                x: root._margin
                                width: parent.width - 2 * root._margin
                                implicitHeight: $ZelGui.sp(50)
                                visible: root._isPrompt
                                EnterKeyAction.actionId: EnterKeyAction.Done

                                Keys.onReturnPressed: root._answer(true)
                                Keys.onEnterPressed: root._answer(true)
                            }

                            BaseTextField {
                                id: _userField

                                objectName: "webDialogUserField"
                                x: root._margin
                                width: parent.width - 2 * root._margin
                                implicitHeight: $ZelGui.sp(50)
                                visible: root._isLogin
                                placeholderText: qsTr("User name")
                                inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
                                EnterKeyAction.actionId: EnterKeyAction.Next
                                KeyNavigation.tab: _passwordField

                                Keys.onReturnPressed: _passwordField.forceActiveFocus()
                                Keys.onEnterPressed: _passwordField.forceActiveFocus()
                            }

                            BaseTextField {
                                id: _passwordField

                                objectName: "webDialogPasswordField"
                                x: root._margin
                                width: parent.width - 2 * root._margin
                                implicitHeight: $ZelGui.sp(50)
                                visible: root._isLogin
                                placeholderText: qsTr("Password")
                                echoMode: TextInput.Password
                                inputMethodHints: Qt.ImhHiddenText | Qt.ImhSensitiveData
                                                  | Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
                                EnterKeyAction.actionId: EnterKeyAction.Done
                                KeyNavigation.backtab: _userField

                                Keys.onReturnPressed: root._answer(true)
                                Keys.onEnterPressed: root._answer(true)
                            }
                        }
                    }

                    footer: Item {
                        implicitHeight: $ZelGui.sp(50) + 2 * root._margin

                        Row {
                            anchors.right: parent.right
                            anchors.rightMargin: root._margin
                            anchors.bottom: parent.bottom
                            anchors.bottomMargin: root._margin
                            spacing: ZelStyle.ui.contentPadding

                            QQC2.Button {
                                objectName: "webDialogStopButton"
                                text: qsTr("Stop dialogs")
                                visible: !root._isLogin && root._streak >= root.streakLimit - 1
                                height: $ZelGui.sp(50)
                                font: _frame.font
                                onClicked: root._stopDialogs()
                            }

                            QQC2.Button {
                                objectName: "webDialogCancelButton"
                                text: qsTr("Cancel")
                                visible: !root._isAlert
                                height: $ZelGui.sp(50)
                                font: _frame.font
                                onClicked: root._answer(false)
                            }

                            QQC2.Button {
                                objectName: "webDialogOkButton"
                                text: root._isLogin ? qsTr("Log in") : qsTr("OK")
                                height: $ZelGui.sp(50)
                                font: _frame.font
                                onClicked: root._answer(true)
                            }
                        }
                    }
                }
            }
        }
    }

    DeviceContainer {
        Item {
            id: _noticeArea

            anchors.fill: parent

            WebNotice {
                id: _notice

                objectName: "webNotice"
                anchors.horizontalCenter: parent.horizontalCenter
                y: root._keyboardTopIn(_noticeArea) - height - 2 * root._margin
                width: Math.min(parent.width - 2 * root._margin, implicitWidth)
                shown: _noticeTimer.running
            }

            Timer {
                id: _noticeTimer

                interval: root.noticeDuration
            }
        }
    }
}
