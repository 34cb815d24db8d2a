#include "enterkeyactionattached.h"

EnterKeyActionAttached::EnterKeyActionAttached(QObject *parent)
    : QObject(parent)
{}

void EnterKeyActionAttached::setActionId(int actionId)
{
    if (actionId == m_actionId)
        return;
    m_actionId = actionId;
    emit actionIdChanged();
}

void EnterKeyActionAttached::setLabel(const QString &label)
{
    if (label == m_label)
        return;
    m_label = label;
    emit labelChanged();
}

void EnterKeyActionAttached::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit enabledChanged();
}
