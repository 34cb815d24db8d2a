#include "controller/address.h"
#include "controller/controller.h"
#include "controller/webservercheck.h"
#include "environment.h"
#include "maindocument.h"
#include "model/controllerlistmodel.h"
#include "startuptrace.h"
#include "ui/heaptrim.h"
#include "ui/inputactivity.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>
#include <QtWebEngine>
#include <cstdlib>

int main(int argc, char *argv[])
{
    StartupTrace::mark("main");
    // Before any thread exists, so that every thread allocates from the one arena.
    HeapTrim::limitArenas();
    Environment::prepare();

    // Both belong before the application object, as Qt 5.12 and 5.15 alike expect: the web engine
    // shares the UI's GL contexts, and its initialisation runs as the application is created.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QtWebEngine::initialize();

    QGuiApplication app(argc, argv);
    // The web engine's own initialisation runs as the application object is made.
    StartupTrace::mark("web engine initialized");

    // Read only when the web engine starts its first page, long after this.
    Environment::prepareWebEngineFlags();
    StartupTrace::watchFirstFrame(app);

    // A font that fails to load is not fatal: the UI falls back to the default family.
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Regular.ttf"));

    Address::registerType();
    HeapTrim::registerType();
    InputActivity::registerType();
    WebServerCheck::registerType();

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));

    // Both services exist before the first binding of the main document is evaluated.
    engine.rootContext()->setContextProperty(QStringLiteral("$Controller"), Controller::instance());
    engine.rootContext()->setContextProperty(QStringLiteral("$ControllerListModel"),
                                             ControllerListModel::instance());

    engine.load(QUrl(QStringLiteral(CS_MAIN_DOCUMENT), QUrl::TolerantMode));
    // Without its main document the display would stay blank for good with the process looking
    // healthy; ending it lets the service manager restart it. The toolkit has said why.
    if (engine.rootObjects().isEmpty())
        return EXIT_FAILURE;
    StartupTrace::mark("main document created");

    return app.exec();
}
