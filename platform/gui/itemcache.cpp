#include "itemcache.h"

#include <QLoggingCategory>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

Q_LOGGING_CATEGORY(lcItemCache, "zel.itemcache")

QObject *ItemCache::getItem(const QString &key, QQmlComponent *component, QObject *parent)
{
    if (QObject *cached = m_items.value(key))
        return cached;
    if (!component) {
        qCWarning(lcItemCache) << "getItem" << key << ": no component";
        return nullptr;
    }
    QObject *item = create(component, parent);
    if (item)
        m_items.insert(key, item);
    return item;
}

bool ItemCache::hasItem(const QString &key) const
{
    return !m_items.value(key).isNull();
}

void ItemCache::removeItem(const QString &key)
{
    if (QObject *item = m_items.take(key))
        item->deleteLater();
}

QObject *ItemCache::create(QQmlComponent *component, QObject *parent)
{
    if (component->isError()) {
        qCWarning(lcItemCache).noquote() << component->errorString();
        return nullptr;
    }
    QQmlContext *context = component->creationContext();
    if (!context && parent)
        context = qmlContext(parent);
    if (!context)
        context = qmlEngine(this) ? qmlEngine(this)->rootContext() : nullptr;

    QObject *item = component->beginCreate(context);
    if (!item) {
        qCWarning(lcItemCache).noquote() << component->errorString();
        return nullptr;
    }
    // Kept by its parent, never collected by the script engine behind the page stack's back.
    QQmlEngine::setObjectOwnership(item, QQmlEngine::CppOwnership);
    item->setParent(parent ? parent : this);
    auto *quickItem = qobject_cast<QQuickItem *>(item);
    auto *parentItem = qobject_cast<QQuickItem *>(parent);
    if (quickItem && parentItem)
        quickItem->setParentItem(parentItem);
    component->completeCreate();
    // Hidden until a page stack shows it, so it never covers its parent on its own.
    if (quickItem && parentItem)
        quickItem->setVisible(false);
    return item;
}
