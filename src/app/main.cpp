#include "controller/address.h"
#include "controller/controller.h"
#include "controller/webservercheck.h"
#include "environment.h"
#include "model/controllerlistmodel.h"
#include "ui/inputactivity.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QUrl>
#include <QtWebEngine>

int main(int argc, char *argv[])
{
    Environment::prepare();

    QGuiApplication app(argc, argv);

    Environment::prepareWebEngineFlags();
    QtWebEngine::initialize();

    // A font that fails to load is not fatal: the UI falls back to the default family.
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Bold.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/Lato-Regular.ttf"));

    Address::registerType();
    InputActivity::registerType();
    WebServerCheck::registerType();

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));

    // Both services exist before the first binding of the main document is evaluated.
    engine.rootContext()->setContextProperty(QStringLiteral("$Controller"), Controller::instance());
    engine.rootContext()->setContextProperty(QStringLiteral("$ControllerListModel"),
                                             ControllerListModel::instance());

    engine.load(QUrl(QStringLiteral("qrc:/qml/main"), QUrl::TolerantMode));

    return app.exec();
}
