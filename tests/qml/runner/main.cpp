#include "controller/address.h"
#include "controller/webservercheck.h"
#include "ui/heaptrim.h"
#include "ui/inputactivity.h"

#include <QFontDatabase>
#include <QObject>
#include <QQmlEngine>
#include <QtQuickTest>
#include <QtWebEngine>

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
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(controllerselect, Setup)

#include "main.moc"
