#include "networkmanager.h"
#include "systemtime.h"
#include "wifilistmodel.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

class SystemPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        qmlRegisterSingletonType<NetworkManager>(
            uri, 1, 0, "NetworkManager", [](QQmlEngine *, QJSEngine *) -> QObject * {
                // One network per process, whichever engine asks.
                QObject *manager = NetworkManager::instance();
                QQmlEngine::setObjectOwnership(manager, QQmlEngine::CppOwnership);
                return manager;
            });
        qmlRegisterType<WifiListModel>(uri, 1, 0, "WifiListModel");
        qmlRegisterSingletonType<SystemTime>(
            uri, 1, 0, "SystemTime",
            [](QQmlEngine *, QJSEngine *engine) -> QObject * { return new SystemTime(engine); });
    }
};

#include "systemplugin.moc"
