#pragma once

#include "enterkeyactionattached.h"

#include <QObject>
#include <QtQml>

// Attached to a text input: what the keyboard's enter key shows for it and whether it may be used.
class EnterKeyAction : public QObject
{
    Q_OBJECT

public:
    enum Id
    {
        None,
        Go,
        Search,
        Send,
        Next,
        Done
    };
    Q_ENUM(Id)

    using QObject::QObject;

    static EnterKeyActionAttached *qmlAttachedProperties(QObject *object)
    {
        return new EnterKeyActionAttached(object);
    }
};

QML_DECLARE_TYPEINFO(EnterKeyAction, QML_HAS_ATTACHED_PROPERTIES)
