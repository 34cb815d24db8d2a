#pragma once

#include <QPointer>
#include <QRectF>
#include <qpa/qplatforminputcontext.h>

// The input method of the on-screen keyboard. It owns the state that Qt's input-method API
// reports (Qt.inputMethod.visible, keyboardRectangle, animating) and follows the focus object.
// Zel.VirtualKeyboard finds this object through the platform integration and talks to it only
// through the properties below, so the two libraries do not link against each other.
class ZelPlatformInputContext : public QPlatformInputContext
{
    Q_OBJECT
    Q_PROPERTY(bool inputPanelVisible READ isInputPanelVisible NOTIFY inputPanelVisibleChanged)
    // Where the panel draws the keyboard, in window coordinates; empty while hidden.
    Q_PROPERTY(QRectF keyboardRectangle READ keyboardRect WRITE setKeyboardRectangle NOTIFY
                   keyboardRectangleChanged)
    Q_PROPERTY(bool animating READ isAnimating WRITE setAnimating NOTIFY animatingChanged)
    // The focused object while it accepts input-method input, otherwise null.
    Q_PROPERTY(QObject *focusObject READ focusObject NOTIFY focusObjectChanged)
    Q_PROPERTY(int inputMethodHints READ inputMethodHints NOTIFY inputMethodHintsChanged)

public:
    ZelPlatformInputContext();

    bool isValid() const override { return true; }
    void showInputPanel() override;
    void hideInputPanel() override;
    bool isInputPanelVisible() const override { return m_visible; }
    QRectF keyboardRect() const override { return m_keyboardRectangle; }
    bool isAnimating() const override { return m_animating; }
    void setFocusObject(QObject *object) override;
    void update(Qt::InputMethodQueries queries) override;

    void setKeyboardRectangle(const QRectF &rectangle);
    void setAnimating(bool animating);
    QObject *focusObject() const { return m_focusObject; }
    int inputMethodHints() const { return m_inputMethodHints; }

signals:
    void inputPanelVisibleChanged();
    void keyboardRectangleChanged();
    void animatingChanged();
    void focusObjectChanged();
    void inputMethodHintsChanged();

private:
    void setVisible(bool visible);
    void updateHints();

    QPointer<QObject> m_focusObject;
    QRectF m_keyboardRectangle;
    int m_inputMethodHints = Qt::ImhNone;
    bool m_visible = false;
    bool m_animating = false;
};
