#include "zelstyleregistry.h"

#include "zelstyleglobal.h"

ZelStyleRegistry::ZelStyleRegistry()
    : m_defaults(new ZelStyleGlobal(this))
{}

ZelStyleRegistry *ZelStyleRegistry::instance()
{
    static ZelStyleRegistry *registry = new ZelStyleRegistry;
    return registry;
}

ZelStyleGlobal *ZelStyleRegistry::active() const
{
    return m_blocks.isEmpty() ? m_defaults : m_blocks.last();
}

void ZelStyleRegistry::add(ZelStyleGlobal *style)
{
    if (m_blocks.contains(style))
        return;
    m_blocks.append(style);
    emit activeChanged();
}

void ZelStyleRegistry::remove(ZelStyleGlobal *style)
{
    const bool wasActive = active() == style;
    m_blocks.removeAll(style);
    if (wasActive)
        emit activeChanged();
}
