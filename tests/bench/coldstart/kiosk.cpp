// The reference of the cold-start benchmark: a bare kiosk on the same web engine, started the
// way the application starts it. One window of the panel's size holding one WebEngineView with
// the application's profile settings, showing the address given on the command line; nothing
// else. It marks the same start-up milestones as the application. Given an image as a second
// argument, it also shows the start-up cover the application must show, drawn as the
// application draws it: the image centred on black (black.png of the image's folder,
// stretched) over the whole window from the first frame, fading out after the first second.
// That measures what the cover alone costs.
#include "startuptrace.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
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

    Item {
        id: cover

        anchors.fill: parent
        visible: kioskCover !== "" && opacity > 0
        clip: true

        Image {
            anchors.fill: parent
            source: kioskCoverBlack
        }

        Image {
            anchors.centerIn: parent
            cache: false
            source: kioskCover
        }

        Timer {
            interval: 1000
            running: cover.visible
            onTriggered: fade.start()
        }

        NumberAnimation {
            id: fade

            target: cover
            property: "opacity"
            to: 0
            duration: 750
        }
    }
}
)";

int main(int argc, char *argv[])
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s URL [COVER-IMAGE]\n", argv[0]);
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
    const QFileInfo cover(argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    engine.rootContext()->setContextProperty(
        QStringLiteral("kioskCover"),
        argc == 3 ? QUrl::fromLocalFile(cover.absoluteFilePath()).toString() : QString());
    engine.rootContext()->setContextProperty(
        QStringLiteral("kioskCoverBlack"),
        argc == 3 ? QUrl::fromLocalFile(cover.dir().filePath(QStringLiteral("black.png"))).toString()
                  : QString());
    engine.loadData(QByteArray(kDocument));
    StartupTrace::mark("main document created");
    return engine.rootObjects().isEmpty() ? 1 : app.exec();
}
