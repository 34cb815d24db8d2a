#pragma once

#include "zelstyleglobal.h"

#include <QObject>
#include <QtQml>

// What every item reads as ZelStyle.<group>.<key>: the groups of the active style block.
class ZelStyleAttached : public QObject
{
    Q_OBJECT
    Q_PROPERTY(ZelStyleUi *ui READ ui NOTIFY styleChanged)
    Q_PROPERTY(ZelStyleUsability *usability READ usability NOTIFY styleChanged)
    Q_PROPERTY(ZelStyleVirtualKeyboard *virtualkeyboard READ virtualkeyboard NOTIFY styleChanged)
    Q_PROPERTY(ZelStyleZ *z READ z NOTIFY styleChanged)

public:
    explicit ZelStyleAttached(QObject *parent = nullptr);

    ZelStyleUi *ui() const;
    ZelStyleUsability *usability() const;
    ZelStyleVirtualKeyboard *virtualkeyboard() const;
    ZelStyleZ *z() const;

signals:
    void styleChanged();
};

// Only a name to attach to: ZelStyle.ui.primaryColor and the like.
class ZelStyle : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static ZelStyleAttached *qmlAttachedProperties(QObject *object)
    {
        return new ZelStyleAttached(object);
    }
};

QML_DECLARE_TYPEINFO(ZelStyle, QML_HAS_ATTACHED_PROPERTIES)
