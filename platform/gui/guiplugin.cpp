#include "activitywatcher.h"
#include "coloredimageprovider.h"
#include "itemcache.h"
#include "screenconfig.h"
#include "zelgui.h"
#include "zelstyle.h"
#include "zelstyleglobal.h"

#include <QDir>
#include <QFontDatabase>
#include <QLoggingCategory>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExtensionPlugin>

Q_LOGGING_CATEGORY(lcGui, "zel.gui")

namespace {

// Loaded once per process; every engine shares the family.
QString loadIconFont(const QString &moduleDir)
{
    static QString family;
    if (!family.isEmpty())
        return family;
    const QString path = QDir(moduleDir).filePath(QStringLiteral("fonts/fa-solid-900.ttf"));
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        qCWarning(lcGui) << "icon font not loaded from" << path;
        return QStringLiteral("Font Awesome 5 Free");
    }
    family = families.first();
    return family;
}

} // namespace

class GuiPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override
    {
        qmlRegisterType<ZelStyleGlobal>(uri, 1, 0, "ZelStyleGlobal");
        qmlRegisterUncreatableType<ZelStyle>(uri, 1, 0, "ZelStyle",
                                             QStringLiteral("ZelStyle is only read: ZelStyle.ui"));
        qmlRegisterUncreatableType<ZelStyleUi>(uri, 1, 0, "ZelStyleUi", QString());
        qmlRegisterUncreatableType<ZelStyleUsability>(uri, 1, 0, "ZelStyleUsability", QString());
        qmlRegisterUncreatableType<ZelStyleVirtualKeyboard>(uri, 1, 0, "ZelStyleVirtualKeyboard",
                                                            QString());
        qmlRegisterUncreatableType<ZelStyleZ>(uri, 1, 0, "ZelStyleZ", QString());
        qmlRegisterSingletonType<ItemCache>(
            uri, 1, 0, "ItemCache",
            [](QQmlEngine *, QJSEngine *) -> QObject * { return new ItemCache; });
        qmlRegisterType<ActivityWatcher>(uri, 1, 0, "ActivityWatcher");
    }

    void initializeEngine(QQmlEngine *engine, const char *uri) override
    {
        Q_UNUSED(uri)
        const QString family = loadIconFont(baseUrl().toLocalFile());
        auto *gui = new ZelGui(ScreenConfig::fromEnvironment().scaleFactor(), family, engine);
        engine->rootContext()->setContextProperty(QStringLiteral("$ZelGui"), gui);
        engine->addImageProvider(QStringLiteral("zelcolored"), new ColoredImageProvider);
    }
};

#include "guiplugin.moc"
