#pragma once

#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>

// The keyboard's view of the input method: the focused text input, its hints, the keyboard
// rectangle, and key events for the focused item. The state lives in the input-method plug-in
// (QT_IM_MODULE=zelvirtualkeyboard); without it the keyboard cannot show and a warning says why.
class InputContext : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QRectF keyboardRectangle READ keyboardRectangle NOTIFY keyboardRectangleChanged)
    Q_PROPERTY(QObject *focusObject READ focusObject NOTIFY focusObjectChanged)
    Q_PROPERTY(int inputMethodHints READ inputMethodHints NOTIFY inputMethodHintsChanged)
    Q_PROPERTY(bool inputPanelVisible READ inputPanelVisible NOTIFY inputPanelVisibleChanged)
    Q_PROPERTY(bool animating READ animating NOTIFY animatingChanged)
    // False when the plug-in is not the application's input method.
    Q_PROPERTY(bool available READ available CONSTANT)

public:
    explicit InputContext(QObject *parent = nullptr);

    QRectF keyboardRectangle() const;
    QObject *focusObject() const;
    int inputMethodHints() const;
    bool inputPanelVisible() const;
    bool animating() const;
    bool available() const { return m_platform != nullptr; }

    // A key press and release, as from a hardware keyboard, for the focused item.
    Q_INVOKABLE void sendKeyEventToFocusItem(int keyCode, const QString &text);
    // Reported by the panel: where it draws the keyboard (window coordinates), empty while down.
    Q_INVOKABLE void setKeyboardRectangle(const QRectF &rectangle);
    Q_INVOKABLE void setAnimating(bool animating);

signals:
    void keyboardRectangleChanged();
    void focusObjectChanged();
    void inputMethodHintsChanged();
    void inputPanelVisibleChanged();
    void animatingChanged();

private:
    QPointer<QObject> m_platform;
};
