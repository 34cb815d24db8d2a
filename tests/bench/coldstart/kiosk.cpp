// The reference of the cold-start benchmark: a bare kiosk on the same web engine, started the
// way the application starts it. One window of the panel's size holding one WebEngineView with
// the application's profile settings, showing the address given on the command line; nothing
// else. It marks the same start-up milestones as the application.
#include "startuptrace.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QtWebEngine>
#include <cstdio>

static const char kDocument[] = R"(
import QtQuick 2.12
import QtQuick.Window 2.12
import QtWebEngine 1.8

Window {
    visible: true
    width: 1280
    height: 800

    WebEngineView {
        anchors.fill: parent
        url: kioskUrl
        profile: WebEngineProfile {
            httpCacheType: WebEngineProfile.NoCache
            persistentCookiesPolicy: WebEngineProfile.NoPersistentCookies
        }
        settings.focusOnNavigationEnabled: false
    }
}
)";

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s URL\n", argv[0]);
        return 2;
    }
    StartupTrace::mark("main");
    QGuiApplication app(argc, argv);
    QtWebEngine::initialize();
    StartupTrace::mark("web engine initialized");
    StartupTrace::watchFirstFrame(app);

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("kioskUrl"),
                                             QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    engine.loadData(QByteArray(kDocument));
    StartupTrace::mark("main document created");
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}
