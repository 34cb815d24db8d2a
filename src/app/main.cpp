#include "controller/address.h"
#include "controller/controller.h"
#include "controller/webservercheck.h"
#include "environment.h"
#include "maindocument.h"
#include "sandbox.h"
#include "servicenotifier.h"
#include "model/controllerlistmodel.h"
#include "startuptrace.h"
#include "ui/heaptrim.h"
#include "ui/inputactivity.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>
#include <cstdlib>

int main(int argc, char *argv[])
{
    StartupTrace::mark("main");
    // Before any thread exists, so that every thread allocates from the one arena.
    HeapTrim::limitArenas();
    Environment::prepare();
    // Forks a probe, so before any thread exists.
    if (!Sandbox::prepare())
        return EXIT_FAILURE;

    // The web engine shares the UI's GL contexts: with this attribute the application object
    // makes the shared context itself, which is all QtWebEngine::initialize() would do. The call
    // is left out on purpose: before the application object Qt 5.12 ends the process there
    // (5.13.2 made it legal), and after it 5.15 warns that it is deprecated; with the shared
    // context in place it returns at once on every version.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QGuiApplication app(argc, argv);
    StartupTrace::mark("web engine initialized");
    ServiceNotifier serviceNotifier;

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
    serviceNotifier.notifyReady();

    return app.exec();
}
