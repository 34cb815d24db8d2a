#include "controller/address.h"
#include "controller/webservercheck.h"
#include "ui/heaptrim.h"
#include "ui/inputactivity.h"
#include "messagelog.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QObject>
#include <QQmlContext>
#include <QQmlEngine>
#include <QUrl>
#include <QtQuickTest>
#include <QtWebEngine>

#ifdef CS_SANITIZE
#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace {
// The GL library unloads Mesa's driver when the display closes at exit, and with its data go
// the only pointers to what the driver still holds: the leak checker, which runs after that,
// would report those blocks with frames in no loaded module, past any suppression. Kept loaded,
// they are reachable as they were all along.
void keepGlDriversLoaded()
{
    dl_iterate_phdr([](dl_phdr_info *info, size_t, void *) {
        const char *name = info->dlpi_name;
        if (name && std::strstr(name, "/dri/") && std::strstr(name, "_dri.so"))
            dlopen(name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
    }, nullptr);
}
} // namespace
#endif

// Stands in for the desktop's launcher of mail and shell links: what a page hands over to
// another program arrives here, and the tests read how much did ($LauncherSpy.count).
class LauncherSpy : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    int count() const { return m_count; }

public slots:
    void open(const QUrl &)
    {
        ++m_count;
        emit countChanged();
    }

signals:
    void countChanged();

private:
    int m_count = 0;
};

// Prepares every test engine the way the application prepares its own: web engine, fonts and
// the keyboard style import path.
class Setup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable()
    {
        QtWebEngine::initialize();
        Address::registerType();
        InputActivity::registerType();
        WebServerCheck::registerType();
        HeapTrim::registerType();
        QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Bold.ttf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Regular.ttf"));
        for (const char *scheme : {"mailto", "ssh", "tel"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_launcher, "open");
    }

    void cleanupTestCase()
    {
#ifdef CS_SANITIZE
        keepGlDriversLoaded();
#endif
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));
        engine->rootContext()->setContextProperty(QStringLiteral("$LauncherSpy"), &m_launcher);
        engine->rootContext()->setContextProperty(QStringLiteral("$MessageLog"), &m_messageLog);
    }

private:
    LauncherSpy m_launcher;
    MessageLog m_messageLog;
};

QUICK_TEST_MAIN_WITH_SETUP(controllerselect, Setup)

#include "main.moc"
