// Months of a wall display in minutes: a controller's page that reloads itself (a refresh meta
// tag, as many controllers' pages have), loaded over and over in the real web page element on a
// display nobody uses, for today's application ("without": the C library's allocator as it
// comes) and with the heap upkeep ("with": one arena, and HeapUpkeep trimming the heap while the
// screen saver is on). Both run at once, each in a process of its own against a stand-in
// controller of its own on the private network of scripts/testnet.sh, and every 1,000 loads
// each prints its own resident size and proportional set size and the summed proportional set
// size of its web engine's processes; the two are shown side by side at the end.
//
//   bench_webpage_soak [LOADS]                  both runs, side by side (default 20000 loads)
//   bench_webpage_soak LOADS --run without|with URL    one run (what the first starts twice)

#include "controller/webservercheck.h"
#include "searchtestnet.h"
#include "ui/heaptrim.h"
#include "ui/inputactivity.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QSocketNotifier>
#include <QtWebEngine>
#include <cstdio>
#include <unistd.h>

namespace {

// The application trims every 10 minutes of idleness: at one load every 2 s, once every 300
// loads; here, at about 30 loads a second, every 10 s comes close.
constexpr int kUpkeepIntervalMs = 10000;
constexpr int kEvery = 1000;

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

// Every process below this one: the web engine's zygotes, render and utility processes.
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

const char *kDocument = R"(
import QtQuick 2.12
import QtQuick.Window 2.12
import "qrc:/qml/pages"
import "qrc:/qml/elements"

Window {
    property int loads: 0
    property int trims: 0

    width: 800
    height: 600
    visible: true

    ControllerWebPage {
        id: page

        anchors.fill: parent
        url: "%URL%"
        onLoadingChanged: {
            if (!loading && title.indexOf("Soak") === 0)
                loads += 1
        }
    }

    Loader {
        active: %WITH%
        sourceComponent: HeapUpkeep {
            screenSaverOn: true
            busy: page.loading
            interval: %INTERVAL%
            onTrimmed: trims += 1
        }
    }
}
)";

// Prints a line every kEvery loads: loads, resident kB, own PSS kB, engine PSS kB, engine
// processes, seconds, trims so far.
class Reporter : public QObject
{
    Q_OBJECT

public:
    explicit Reporter(QObject *root)
        : m_root(root)
    {
        m_clock.start();
    }

public slots:
    void loadsChanged()
    {
        const int done = m_root->property("loads").toInt();
        if (done % kEvery == 0 && done > m_reported) {
            m_reported = done;
            qint64 engineKb = 0;
            const QList<int> pids = descendants();
            for (int pid : pids)
                engineKb += statusKb(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Pss:");
            std::printf("%d %lld %lld %lld %d %.1f %d\n", done,
                        statusKb(QStringLiteral("/proc/self/status"), "VmRSS:"),
                        statusKb(QStringLiteral("/proc/self/smaps_rollup"), "Pss:"), engineKb,
                        int(pids.size()), m_clock.elapsed() / 1000.0,
                        m_root->property("trims").toInt());
            std::fflush(stdout);
        }
    }

    // The runner closes this run's input once both runs have their last sample: a run that ended
    // first would otherwise leave the other one's shared pages to it alone.
    void inputReady()
    {
        char buffer[64];
        if (::read(0, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    }

private:
    QObject *m_root;
    int m_reported = 0;
    QElapsedTimer m_clock;
};

int runOne(int argc, char *argv[], bool with, const QString &url)
{
    // As the application does first thing, before any thread allocates.
    if (with)
        HeapTrim::limitArenas();
    QGuiApplication app(argc, argv);
    QtWebEngine::initialize();
    InputActivity::registerType();
    WebServerCheck::registerType();
    HeapTrim::registerType();

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qml/keyboard/styles/"));
    QByteArray document(kDocument);
    document.replace("%URL%", url.toUtf8())
        .replace("%WITH%", with ? "true" : "false")
        .replace("%INTERVAL%", QByteArray::number(kUpkeepIntervalMs));
    engine.loadData(document, QUrl(QStringLiteral("qrc:/bench/soak.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    QObject *root = engine.rootObjects().constFirst();
    Reporter reporter(root);
    QObject::connect(root, SIGNAL(loadsChanged()), &reporter, SLOT(loadsChanged()));
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, SIGNAL(activated(int)), &reporter, SLOT(inputReady()));
    return app.exec();
}

struct Row
{
    qint64 rss = 0, pss = 0, engine = 0;
    int processes = 0, trims = 0;
    double seconds = 0;
};

QString growth(const QMap<int, Row> &rows, qint64 Row::*field)
{
    if (rows.size() < 2)
        return QStringLiteral("-");
    return QString::number((rows.last().*field - rows.first().*field) / 1024.0, 'f', 2);
}

// Least-squares slope over the samples, in kB per 1,000 loads: the engine's processes rise and
// fall by megabytes with the renderer's garbage collection, so a trend shows here, not in two
// single samples.
QString trend(const QMap<int, Row> &rows, qint64 Row::*field)
{
    if (rows.size() < 2)
        return QStringLiteral("-");
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        const double x = it.key() / 1000.0;
        const double y = double(it.value().*field);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double n = rows.size();
    return QString::number((n * sxy - sx * sy) / (n * sxx - sx * sx), 'f', 0);
}

// Starts both runs at once, each against a controller of its own, and prints them side by side.
int runBoth(int argc, char *argv[], int loads)
{
    QCoreApplication app(argc, argv);
    const QString refusal = SearchTestNet::refusalReason();
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "bench_webpage_soak: %s\n", qPrintable(refusal));
        return 2;
    }
    const QStringList ips = qEnvironmentVariable("CS_LAN_IPS").split(QLatin1Char(' '));
    if (ips.size() < 2) {
        std::fprintf(stderr, "bench_webpage_soak: needs two lan hosts\n");
        return 2;
    }
    const QStringList runs{QStringLiteral("without"), QStringLiteral("with")};
    QJsonArray controllers;
    for (int i = 0; i < runs.size(); ++i)
        controllers.append(SearchTestNet::controllerAt(ips[i], QStringLiteral("Soak %1").arg(i),
                                                       QStringLiteral("page-refresh=0.01")));
    SearchTestNet::Simulator simulator;
    if (!simulator.start(QJsonDocument(controllers).toJson(QJsonDocument::Compact))) {
        std::fprintf(stderr, "bench_webpage_soak: the stand-in controllers did not start: %s\n",
                     qPrintable(simulator.errorOutput()));
        return 1;
    }

    std::printf("%d loads of a controller's page that reloads itself, a display nobody uses; "
                "without = today's application, with = one heap arena and HeapUpkeep trimming "
                "every %d ms while the screen saver is on; both runs at once\n",
                loads, kUpkeepIntervalMs);
    std::fflush(stdout);
    QMap<QString, QMap<int, Row>> table;
    QList<QProcess *> processes;
    for (int i = 0; i < runs.size(); ++i) {
        auto *process = new QProcess(&app);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const QString run = runs[i];
        QObject::connect(
            process, &QProcess::readyReadStandardOutput, process, [&table, process, run, loads] {
                while (process->canReadLine()) {
                    const QList<QByteArray> f = process->readLine().trimmed().split(' ');
                    if (f.size() < 7 || f[0].toInt() > loads)
                        continue;
                    Row row{f[1].toLongLong(), f[2].toLongLong(), f[3].toLongLong(),
                            f[4].toInt(),      f[6].toInt(),      f[5].toDouble()};
                    table[run][f[0].toInt()] = row;
                    std::printf("  %-7s %6d loads: resident %6lld kB, own PSS %6lld kB, engine PSS "
                                "%7lld kB, %.0f s\n",
                                qPrintable(run), f[0].toInt(), row.rss, row.pss, row.engine,
                                row.seconds);
                    std::fflush(stdout);
                }
            });
        process->start(QCoreApplication::applicationFilePath(),
                       {QString::number(loads), QStringLiteral("--run"), run,
                        QStringLiteral("http://%1/").arg(ips[i])});
        processes << process;
    }
    auto running = [&processes] {
        for (QProcess *process : processes) {
            if (process->state() != QProcess::NotRunning)
                return true;
        }
        return false;
    };
    // Both keep loading until both have their last sample.
    while (running() && !(table[runs[0]].contains(loads) && table[runs[1]].contains(loads)))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1000);
    for (QProcess *process : processes)
        process->closeWriteChannel();
    bool ok = true;
    for (QProcess *process : processes) {
        if (!process->waitForFinished(30000))
            process->kill();
        ok = ok && process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    }

    std::printf("\n        |            without (today)              |       with (heap upkeep)\n");
    std::printf(" loads  | resident  own PSS  engine PSS   procs  | resident  own PSS  engine PSS"
                "   procs  trims\n");
    for (int n = kEvery; n <= loads; n += kEvery) {
        const Row a = table[runs[0]].value(n);
        const Row b = table[runs[1]].value(n);
        std::printf("%6d  | %8lld  %7lld  %10lld  %6d  | %8lld  %7lld  %10lld  %6d  %5d\n", n,
                    a.rss, a.pss, a.engine, a.processes, b.rss, b.pss, b.engine, b.processes,
                    b.trims);
    }
    std::printf("growth from load %d to load %d (MB): resident %s without, %s with; own PSS "
                "%s without, %s with; engine PSS %s without, %s with\n",
                kEvery, loads, qPrintable(growth(table[runs[0]], &Row::rss)),
                qPrintable(growth(table[runs[1]], &Row::rss)),
                qPrintable(growth(table[runs[0]], &Row::pss)),
                qPrintable(growth(table[runs[1]], &Row::pss)),
                qPrintable(growth(table[runs[0]], &Row::engine)),
                qPrintable(growth(table[runs[1]], &Row::engine)));
    std::printf("trend over the samples (kB per 1,000 loads): resident %s without, %s with; "
                "engine PSS %s without, %s with\n",
                qPrintable(trend(table[runs[0]], &Row::rss)),
                qPrintable(trend(table[runs[1]], &Row::rss)),
                qPrintable(trend(table[runs[0]], &Row::engine)),
                qPrintable(trend(table[runs[1]], &Row::engine)));
    std::printf("seconds for the %d loads: %.0f without, %.0f with\n", loads,
                table[runs[0]].value(loads).seconds, table[runs[1]].value(loads).seconds);
    if (!ok || table[runs[0]].size() * kEvery < loads || table[runs[1]].size() * kEvery < loads) {
        std::fprintf(stderr, "bench_webpage_soak: a run did not finish its loads\n");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    int loads = 20000;
    if (argc > 1)
        loads = qMax(kEvery, QByteArray(argv[1]).toInt() / kEvery * kEvery);
    if (argc > 4 && QByteArray(argv[2]) == "--run")
        return runOne(argc, argv, QByteArray(argv[3]) == "with", QString::fromUtf8(argv[4]));
    return runBoth(argc, argv, loads);
}

#include "bench_webpage_soak.moc"
