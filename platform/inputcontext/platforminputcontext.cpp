#include "platforminputcontext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>

namespace {

bool acceptsInputMethod(QObject *object)
{
    if (!object)
        return false;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(object, &query);
    return query.value(Qt::ImEnabled).toBool();
}

} // namespace

ZelPlatformInputContext::ZelPlatformInputContext() = default;

void ZelPlatformInputContext::showInputPanel()
{
    // Without a text input there is nothing to type into; the panel stays down.
    if (m_focusObject)
        setVisible(true);
}

void ZelPlatformInputContext::hideInputPanel()
{
    setVisible(false);
}

void ZelPlatformInputContext::setFocusObject(QObject *object)
{
    QObject *input = acceptsInputMethod(object) ? object : nullptr;
    if (input != m_focusObject) {
        if (m_focusObject)
            disconnect(m_focusObject, &QObject::destroyed, this, nullptr);
        m_focusObject = input;
        // A field that goes away while focused takes the panel with it.
        if (input) {
            connect(input, &QObject::destroyed, this, [this] {
                setVisible(false);
                updateHints();
                emit focusObjectChanged();
            });
        }
        updateHints();
        emit focusObjectChanged();
    }
    // The keyboard comes up whenever a text input takes the focus, and goes when none has it.
    setVisible(input != nullptr);
}

void ZelPlatformInputContext::update(Qt::InputMethodQueries queries)
{
    if (!(queries & (Qt::ImHints | Qt::ImEnabled)))
        return;
    // As the board's input method does, the focused object is asked again: an item that holds
    // the focus may start or stop accepting input without the focus moving (a web view whose
    // page focuses or blurs an editable element).
    QObject *current = QGuiApplication::focusObject();
    const bool accepting = acceptsInputMethod(current);
    if (accepting != (m_focusObject != nullptr) || (accepting && current != m_focusObject)) {
        setFocusObject(current);
        return;
    }
    updateHints();
}

void ZelPlatformInputContext::setKeyboardRectangle(const QRectF &rectangle)
{
    if (rectangle == m_keyboardRectangle)
        return;
    m_keyboardRectangle = rectangle;
    emit keyboardRectangleChanged();
    emitKeyboardRectChanged();
}

void ZelPlatformInputContext::setAnimating(bool animating)
{
    if (animating == m_animating)
        return;
    m_animating = animating;
    emit animatingChanged();
    emitAnimatingChanged();
}

void ZelPlatformInputContext::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    emit inputPanelVisibleChanged();
    emitInputPanelVisibleChanged();
}

void ZelPlatformInputContext::updateHints()
{
    int hints = Qt::ImhNone;
    if (m_focusObject) {
        QInputMethodQueryEvent query(Qt::ImHints);
        QCoreApplication::sendEvent(m_focusObject, &query);
        hints = query.value(Qt::ImHints).toInt();
    }
    if (hints == m_inputMethodHints)
        return;
    m_inputMethodHints = hints;
    emit inputMethodHintsChanged();
}
