// The main document is loaded as "qrc:/qml/main", an alias without extension, which the Qt Quick
// Compiler's own loader does not know. This hook hands out the same ahead-of-time compiled unit
// for that name, so the start compiles no QML even with an empty cache.
#include <QtCore/qdir.h>
#include <QtCore/qurl.h>
#include <QtQml/qqmlprivate.h>

// Defined by the Qt Quick Compiler's output for "/qml/main.qml".
namespace QmlCacheGeneratedCode {
namespace _qml_main_qml {
extern const unsigned char qmlData[];
}
} // namespace QmlCacheGeneratedCode

namespace {

const QQmlPrivate::CachedQmlUnit mainUnit = {
    reinterpret_cast<const QV4::CompiledData::Unit *>(&QmlCacheGeneratedCode::_qml_main_qml::qmlData),
    nullptr, nullptr};

const QQmlPrivate::CachedQmlUnit *lookup(const QUrl &url)
{
    if (url.scheme() == QLatin1String("qrc")
        && QDir::cleanPath(url.path()) == QLatin1String("/qml/main"))
        return &mainUnit;
    return nullptr;
}

int registerMainAlias()
{
    QQmlPrivate::RegisterQmlUnitCacheHook registration;
    registration.version = 0;
    registration.lookupCachedQmlUnit = &lookup;
    QQmlPrivate::qmlregister(QQmlPrivate::QmlUnitCacheHookRegistration, &registration);
    return 1;
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(registerMainAlias)
