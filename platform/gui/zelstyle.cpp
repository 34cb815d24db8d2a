#include "zelstyle.h"

#include "zelstyleregistry.h"

ZelStyleAttached::ZelStyleAttached(QObject *parent)
    : QObject(parent)
{
    connect(ZelStyleRegistry::instance(), &ZelStyleRegistry::activeChanged, this,
            &ZelStyleAttached::styleChanged);
}

ZelStyleUi *ZelStyleAttached::ui() const
{
    return ZelStyleRegistry::instance()->active()->ui();
}

ZelStyleUsability *ZelStyleAttached::usability() const
{
    return ZelStyleRegistry::instance()->active()->usability();
}

ZelStyleVirtualKeyboard *ZelStyleAttached::virtualkeyboard() const
{
    return ZelStyleRegistry::instance()->active()->virtualkeyboard();
}

ZelStyleZ *ZelStyleAttached::z() const
{
    return ZelStyleRegistry::instance()->active()->z();
}
