#include "activitywatcher.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickWindow>

void ActivityWatcher::setWindow(QQuickWindow *window)
{
    if (window == m_window.data())
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (window)
        window->installEventFilter(this);
    m_eatingPointer = m_eatingTouch = false;
    m_eatenKey = 0;
    emit windowChanged();
}

void ActivityWatcher::setSwallowInput(bool swallow)
{
    if (swallow == m_swallowInput)
        return;
    m_swallowInput = swallow;
    emit swallowInputChanged();
}

bool ActivityWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window.data())
        return false;
    if (continuesEaten(event)) {
        event->accept();
        return true;
    }
    // Decide before reporting: the handler usually clears swallowInput right away.
    const bool swallow = m_swallowInput;
    if (!startsInput(event))
        return false;
    emit activity();
    if (!swallow)
        return false;
    switch (event->type()) {
    case QEvent::TouchBegin:
        m_eatingTouch = true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_eatingPointer = true;
        break;
    case QEvent::KeyPress:
        m_eatenKey = static_cast<QKeyEvent *>(event)->key();
        break;
    default:
        break;
    }
    event->accept();
    return true;
}

bool ActivityWatcher::startsInput(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::TabletPress:
        return true;
    case QEvent::TouchUpdate:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::TouchEnd:
        // An ongoing gesture keeps the countdown from running out under the user's finger.
        return !m_swallowInput;
    case QEvent::MouseMove:
        return !m_swallowInput && static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton;
    default:
        return false;
    }
}

bool ActivityWatcher::continuesEaten(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchUpdate:
        return m_eatingTouch;
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        const bool eaten = m_eatingTouch;
        m_eatingTouch = false;
        return eaten;
    }
    case QEvent::MouseMove:
        return m_eatingPointer;
    case QEvent::MouseButtonRelease: {
        const bool eaten = m_eatingPointer;
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            m_eatingPointer = false;
        return eaten;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A further button while the first is still held belongs to the eaten press.
        return m_eatingPointer;
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_eatenKey == 0 || key->key() != m_eatenKey)
            return false;
        if (!key->isAutoRepeat())
            m_eatenKey = 0;
        return true;
    }
    case QEvent::KeyPress:
        return m_eatenKey != 0 && static_cast<QKeyEvent *>(event)->isAutoRepeat() &&
               static_cast<QKeyEvent *>(event)->key() == m_eatenKey;
    default:
        return false;
    }
}
