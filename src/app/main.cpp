#include "controller/controller.h"
#include "controller/webservercheck.h"
#include "environment.h"
#include "model/controllerlistmodel.h"
#include "startuptrace.h"
#include "ui/inputactivity.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>
#include <QtWebEngine>

int main(int argc, char *argv[])
{
    StartupTrace::mark("main");
    Environment::prepare();

    QGuiApplication app(argc, argv);

    Environment::prepareWebEngineFlags();
    QtWebEngine::initialize();
    StartupTrace::mark("web engine initialized");
    StartupTrace::watchFirstFrame(app);

    // A font that fails to load is not fatal: the UI falls back to the default family.
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Regular.ttf"));

    InputActivity::registerType();
    WebServerCheck::registerType();

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));

    // Both services exist before the first binding of the main document is evaluated.
    engine.rootContext()->setContextProperty(QStringLiteral("$Controller"), Controller::instance());
    engine.rootContext()->setContextProperty(QStringLiteral("$ControllerListModel"),
                                             ControllerListModel::instance());

    engine.load(QUrl(QStringLiteral("qrc:/qml/main"), QUrl::TolerantMode));
    StartupTrace::mark("main document created");

    return app.exec();
}
