#include "inputactivity.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQmlEngine>

InputActivity::InputActivity(QObject *parent)
    : QObject(parent)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

InputActivity::~InputActivity() = default;

void InputActivity::registerType()
{
    qmlRegisterType<InputActivity>("ControllerSelect", 1, 0, "InputActivity");
}

bool InputActivity::eventFilter(QObject *watched, QEvent *event)
{
    // An input reaches its window first and then travels on to items; count it once.
    if (!watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TabletPress:
        emit inputStarted();
        break;
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
            emit inputStarted();
        break;
    default:
        break;
    }
    return false;
}
