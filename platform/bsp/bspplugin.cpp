#include "devicetype.h"
#include "display.h"
#include "file.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

namespace {

template <typename T> QObject *shared(QQmlEngine *, QJSEngine *)
{
    // One device and one backlight per process, whichever engine asks.
    QObject *object = T::instance();
    QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    return object;
}

} // namespace

class BspPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        qmlRegisterSingletonType<DeviceType>(uri, 1, 0, "DeviceType", shared<DeviceType>);
        qmlRegisterSingletonType<Display>(uri, 1, 0, "Display", shared<Display>);
        qmlRegisterSingletonType<File>(
            uri, 1, 0, "File", [](QQmlEngine *, QJSEngine *) -> QObject * { return new File; });
    }
};

#include "bspplugin.moc"
