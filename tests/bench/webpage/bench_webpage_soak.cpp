// Weeks of a wall display in minutes: 1,000 loads of a controller's page in the real web page
// element (reloads, as controllers' pages make by themselves, and loads of new addresses, as a
// person's navigation makes), with an outage of the controller's web server every 100 loads that
// the page has to come back from. Printed at the start, every 100 loads and at the end: this
// process's resident size and the summed proportional set size of the web engine's processes
// (which rises and falls with the renderer's garbage collection, so the lowest and highest of
// the last 100 loads are shown too). Runs under webserver.py, which serves the controller's page
// on loopback and takes its server away on request.

#include "controller/webservercheck.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QThread>
#include <QTimer>
#include <QtWebEngine>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

qint64 statusKb(const QString &path, const QByteArray &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    qint64 sum = 0;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            sum += line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return sum;
}

// Every process below this one: the web engine's zygotes, render, GPU and utility processes.
QList<int> descendants()
{
    QHash<int, QList<int>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool ok = false;
        const int pid = entry.toInt(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        children[fields.value(1).toInt()].append(pid);
    }
    QList<int> found;
    QList<int> todo{int(getpid())};
    while (!todo.isEmpty()) {
        for (int child : children.value(todo.takeLast())) {
            found.append(child);
            todo.append(child);
        }
    }
    return found;
}

struct Sample
{
    qint64 rssKb = 0;
    qint64 enginePssKb = 0;
    int engineProcesses = 0;
};

Sample sample()
{
    Sample s;
    s.rssKb = statusKb(QStringLiteral("/proc/self/status"), "VmRSS:");
    const QList<int> pids = descendants();
    for (int pid : pids)
        s.enginePssKb += statusKb(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Pss:");
    s.engineProcesses = pids.size();
    return s;
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::usleep(1000);
    }
    return true;
}

bool get(QNetworkAccessManager &manager, const QUrl &url)
{
    QNetworkReply *reply = manager.get(QNetworkRequest(url));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    const bool ok = reply->isFinished() && reply->error() == QNetworkReply::NoError;
    reply->deleteLater();
    return ok;
}

// Counts the loads that have come to an end, from the view's own signal.
class LoadCounter : public QObject
{
    Q_OBJECT

public:
    explicit LoadCounter(QObject *view)
        : m_view(view)
    {
        connect(view, SIGNAL(loadingChanged(QQuickWebEngineLoadRequest *)), this, SLOT(changed()));
    }
    int ended = 0;

public slots:
    void changed()
    {
        if (!m_view->property("loading").toBool())
            ++ended;
    }

private:
    QObject *m_view;
};

const char *kDocument = R"(
import QtQuick 2.12
import QtQuick.Window 2.12
import "qrc:/qml/pages"

Window {
    width: 800
    height: 600
    visible: true

    ControllerWebPage {
        objectName: "page"
        anchors.fill: parent
        recoveryInterval: 200
    }
}
)";

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QtWebEngine::initialize();
    WebServerCheck::registerType();

    const QString control = qEnvironmentVariable("CS_TEST_HTTP_URL");
    const QString controller = qEnvironmentVariable("CS_TEST_CONTROLLER_URL");
    if (control.isEmpty() || controller.isEmpty()) {
        std::fprintf(stderr,
                     "bench_webpage_soak: run it through tests/qml/elements/webserver.py\n");
        return 2;
    }
    int rounds = 1000;
    if (argc > 1)
        rounds = qMax(100, QByteArray(argv[1]).toInt());

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));
    engine.loadData(kDocument, QUrl(QStringLiteral("qrc:/bench/soak.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    QObject *page = engine.rootObjects().constFirst()->findChild<QObject *>(QStringLiteral("page"));
    if (!page)
        return 1;
    page->setProperty("controllerAddress", QString(controller).remove(QStringLiteral("http://")));
    LoadCounter loads(page);
    QNetworkAccessManager manager;
    const QUrl home(controller + QStringLiteral("/"));

    auto shown = [page] {
        return !page->property("loading").toBool() &&
               page->property("title").toString() == QLatin1String("controller");
    };
    page->setProperty("url", home);
    if (!waitFor(shown, 30000)) {
        std::fprintf(stderr, "bench_webpage_soak: the first load did not succeed\n");
        return 1;
    }

    std::printf("loads of a controller's page: %d, the web server away and back every 100\n",
                rounds);
    std::printf("round  resident kB  engine PSS kB  (low - high of the last 100)  engine "
                "processes  seconds\n");
    qint64 low = 0;
    qint64 high = 0;
    auto print = [&low, &high](int round, const Sample &s, double seconds) {
        std::printf("%5d  %11lld  %13lld  (%9lld - %9lld)  %16d  %7.1f\n", round, s.rssKb,
                    s.enginePssKb, low, high, s.engineProcesses, seconds);
        std::fflush(stdout);
        low = high = 0;
    };
    QElapsedTimer clock;
    clock.start();
    print(0, sample(), 0);

    Sample at100;
    // The renderer's heap rises and falls by tens of MB with its garbage collection: whether
    // the engine grows shows in its range once warmed up, not in two single samples.
    qint64 settledLow = 0;
    qint64 settledHigh = 0;
    int failedRounds = 0;
    int recoveries = 0;
    for (int round = 1; round <= rounds; ++round) {
        const int before = loads.ended;
        if (round % 100 == 50) {
            // The server goes away, the page's reload fails, the server comes back: the page
            // must come back by itself.
            get(manager, QUrl(control + QStringLiteral("/controller/down")));
            QMetaObject::invokeMethod(page, "reload");
            waitFor([&] { return loads.ended > before; }, 20000);
            get(manager, QUrl(control + QStringLiteral("/controller/up")));
            if (waitFor([&] { return loads.ended > before + 1 && shown(); }, 20000))
                ++recoveries;
            else
                ++failedRounds;
        } else if (round % 2 == 0) {
            QMetaObject::invokeMethod(page, "reload");
            if (!waitFor([&] { return loads.ended > before && shown(); }, 20000))
                ++failedRounds;
        } else {
            // A new address each time: the view's history fills up as well.
            page->setProperty("url",
                              QUrl(home.toString() + QStringLiteral("?round=%1").arg(round)));
            if (!waitFor([&] { return loads.ended > before && shown(); }, 20000))
                ++failedRounds;
        }
        if (round % 10 == 0) {
            const qint64 pss = sample().enginePssKb;
            low = low == 0 ? pss : qMin(low, pss);
            high = qMax(high, pss);
            if (round > 300) {
                settledLow = settledLow == 0 ? pss : qMin(settledLow, pss);
                settledHigh = qMax(settledHigh, pss);
            }
        }
        if (round % 100 == 0) {
            const Sample s = sample();
            if (round == 100)
                at100 = s;
            print(round, s, clock.elapsed() / 1000.0);
        }
    }
    const Sample end = sample();
    std::printf("growth from round 100 to round %d: resident %+.2f MB; engine PSS after round 300 "
                "between %.1f and %.1f MB (%+.2f MB from round 100 to round %d); outages come "
                "back from: %d; rounds that did not show the page: %d\n",
                rounds, (end.rssKb - at100.rssKb) / 1024.0, settledLow / 1024.0,
                settledHigh / 1024.0, (end.enginePssKb - at100.enginePssKb) / 1024.0, rounds,
                recoveries, failedRounds);
    return 0;
}

#include "bench_webpage_soak.moc"
