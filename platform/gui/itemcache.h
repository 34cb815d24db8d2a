#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QQmlComponent;

// Pages that are made once and shown again: the same key always gives the same item while it
// lives. An item lives as long as the parent it was first made with (or the engine).
class ItemCache : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QObject *getItem(const QString &key, QQmlComponent *component,
                                 QObject *parent = nullptr);
    Q_INVOKABLE bool hasItem(const QString &key) const;
    // Forgets the key and destroys its item.
    Q_INVOKABLE void removeItem(const QString &key);

private:
    QObject *create(QQmlComponent *component, QObject *parent);

    QHash<QString, QPointer<QObject>> m_items;
};
