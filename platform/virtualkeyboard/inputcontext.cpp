#include "inputcontext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QQuickItem>
#include <QQuickWindow>
#include <private/qguiapplication_p.h>
#include <qpa/qplatforminputcontext.h>
#include <qpa/qplatformintegration.h>

Q_LOGGING_CATEGORY(lcKeyboard, "zel.virtualkeyboard")

namespace {

QObject *platformContext()
{
    QPlatformIntegration *integration = QGuiApplicationPrivate::platformIntegration();
    QPlatformInputContext *context = integration ? integration->inputContext() : nullptr;
    if (context && context->inherits("ZelPlatformInputContext"))
        return context;
    return nullptr;
}

void deliver(QObject *target, QEvent *event)
{
    // Through the window, so that an unhandled key travels up to the item's parents and
    // shortcut overrides apply, as for a hardware key.
    if (auto *item = qobject_cast<QQuickItem *>(target)) {
        if (QQuickWindow *window = item->window()) {
            QCoreApplication::sendEvent(window, event);
            return;
        }
    }
    QCoreApplication::sendEvent(target, event);
}

} // namespace

InputContext::InputContext(QObject *parent)
    : QObject(parent)
    , m_platform(platformContext())
{
    if (!m_platform) {
        qCWarning(lcKeyboard) << "the input method is not zelvirtualkeyboard (set QT_IM_MODULE):"
                              << "the on-screen keyboard will not show";
        return;
    }
    connect(m_platform, SIGNAL(keyboardRectangleChanged()), this,
            SIGNAL(keyboardRectangleChanged()));
    connect(m_platform, SIGNAL(focusObjectChanged()), this, SIGNAL(focusObjectChanged()));
    connect(m_platform, SIGNAL(inputMethodHintsChanged()), this, SIGNAL(inputMethodHintsChanged()));
    connect(m_platform, SIGNAL(inputPanelVisibleChanged()), this,
            SIGNAL(inputPanelVisibleChanged()));
    connect(m_platform, SIGNAL(animatingChanged()), this, SIGNAL(animatingChanged()));
}

QRectF InputContext::keyboardRectangle() const
{
    return m_platform ? m_platform->property("keyboardRectangle").toRectF() : QRectF();
}

QObject *InputContext::focusObject() const
{
    return m_platform ? m_platform->property("focusObject").value<QObject *>() : nullptr;
}

int InputContext::inputMethodHints() const
{
    return m_platform ? m_platform->property("inputMethodHints").toInt() : 0;
}

bool InputContext::inputPanelVisible() const
{
    return m_platform && m_platform->property("inputPanelVisible").toBool();
}

bool InputContext::animating() const
{
    return m_platform && m_platform->property("animating").toBool();
}

void InputContext::sendKeyEventToFocusItem(int keyCode, const QString &text)
{
    QObject *target = focusObject();
    if (!target)
        target = QGuiApplication::focusObject();
    if (!target)
        return;
    QPointer<QObject> guard(target);
    QKeyEvent press(QEvent::KeyPress, keyCode, Qt::NoModifier, text);
    deliver(target, &press);
    // The press may have closed the page that held the field.
    if (!guard)
        return;
    QKeyEvent release(QEvent::KeyRelease, keyCode, Qt::NoModifier, text);
    deliver(target, &release);
}

void InputContext::setKeyboardRectangle(const QRectF &rectangle)
{
    if (m_platform)
        m_platform->setProperty("keyboardRectangle", rectangle);
}

void InputContext::setAnimating(bool animating)
{
    if (m_platform)
        m_platform->setProperty("animating", animating);
}
