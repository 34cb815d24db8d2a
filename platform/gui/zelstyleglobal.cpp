#include "zelstyleglobal.h"

#include "screenconfig.h"
#include "zelstyleregistry.h"

#include <QFont>
#include <QGuiApplication>

namespace {

QString defaultFamily()
{
    return QGuiApplication::font().family();
}

} // namespace

ZelStyleGlobal::ZelStyleGlobal(QObject *parent)
    : QObject(parent)
    , m_ui(new ZelStyleUi(ScreenConfig::fromEnvironment().scaleFactor(), defaultFamily(), this))
    , m_usability(new ZelStyleUsability(this))
    , m_virtualkeyboard(new ZelStyleVirtualKeyboard(defaultFamily(), this))
    , m_z(new ZelStyleZ(this))
{}

ZelStyleGlobal::~ZelStyleGlobal()
{
    ZelStyleRegistry::instance()->remove(this);
}

void ZelStyleGlobal::classBegin()
{
    // Registered before any binding of the document runs, so the first evaluation of every
    // ZelStyle binding already sees this block.
    ZelStyleRegistry::instance()->add(this);
}
