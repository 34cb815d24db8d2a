// Time from update() to the last listed row for 1, 50 and 200 stand-in controllers (and 200 with
// 20 silent web servers among them), then a flood of 10,000 distinct replies in 2 s: peak memory
// above idle, worst event-loop latency of the main thread, and memory once the checks are over.
// Runs on the display side of scripts/testnet.sh only.

#include "controller/controller.h"
#include "model/controllerlistmodel.h"
#include "searchtestnet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <atomic>
#include <cstdio>

using namespace SearchTestNet;

namespace {

QStringList lanIps()
{
    return qEnvironmentVariable("CS_LAN_IPS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QByteArray config(int count, int silentEvery)
{
    const QStringList ips = lanIps();
    QJsonArray list;
    for (int i = 0; i < count && i < ips.size(); ++i) {
        QJsonObject c{
            {QStringLiteral("ip"), ips[i]},
            {QStringLiteral("name"), QStringLiteral("Controller %1").arg(i + 1)},
            {QStringLiteral("model"), 3},
            {QStringLiteral("serial"), QStringLiteral("SN%1").arg(i + 1, 4, 10, QLatin1Char('0'))}};
        if (silentEvery > 0 && (i + 1) % silentEvery == 0)
            c.insert(QStringLiteral("behaviour"), QStringLiteral("http=silent"));
        list.append(c);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

void wait(int ms)
{
    QTest::qWait(ms);
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

struct Bench
{
    Controller *controller;
    ControllerListModel *model;
};

// One search; the milliseconds from update() until `expected` rows are listed, -1 if never.
qint64 timedSearch(const Bench &bench, int expected)
{
    qint64 lastRow = -1;
    QElapsedTimer clock;
    const auto connection =
        QObject::connect(bench.model, &ControllerListModel::countChanged, [&](int count) {
            if (count == expected)
                lastRow = clock.elapsed();
        });
    clock.start();
    bench.model->update();
    waitFor([&] { return lastRow >= 0; }, 8000);
    QObject::disconnect(connection);
    // Idle again, and every silent check of this run over, before the next one.
    waitFor([&] { return !bench.model->loading() && clock.elapsed() > 3500; }, 20000);
    return lastRow;
}

void scenario(const Bench &bench, Simulator &sim, const char *label, int count, int silentEvery,
              int runs)
{
    if (!sim.start(config(count, silentEvery))) {
        std::printf("%-28s simulator did not start: %s\n", label, qPrintable(sim.errorOutput()));
        return;
    }
    const int expected = count - (silentEvery > 0 ? count / silentEvery : 0);
    timedSearch(bench, expected); // warm-up, not counted
    QVector<qint64> times;
    for (int i = 0; i < runs; ++i)
        times << timedSearch(bench, expected);
    sim.stop();

    const int missed = int(std::count(times.begin(), times.end(), -1));
    std::sort(times.begin(), times.end());
    std::printf("%-28s rows %3d  median %4lld ms  worst %4lld ms  best %4lld ms  (%d runs%s)\n",
                label, expected, times[times.size() / 2], times.last(), times.first(), runs,
                missed ? ", some incomplete" : "");
    std::fflush(stdout);
}

void flood(const Bench &bench, Simulator &sim, int replies, int seconds)
{
    if (!sim.start(config(200, 0), {QStringLiteral("--flood"), QString::number(replies),
                                    QStringLiteral("--flood-seconds"), QString::number(seconds)})) {
        std::printf("flood: simulator did not start: %s\n", qPrintable(sim.errorOutput()));
        return;
    }
    wait(1000);
    const qint64 idle = residentKb();
    const qint64 idleAnon = residentKb("RssAnon:");

    RssSampler rss;
    LatencyProbe latency;
    rss.start();
    latency.start();
    QElapsedTimer clock;
    clock.start();
    bench.model->update();

    // Every reply is confirmed (all web servers answer), so the last row marks the end of the
    // checks. The stand-in's log is read only afterwards: parsing it here would weigh on the
    // very memory being measured.
    int lastCount = -1;
    qint64 lastChange = 0;
    const bool done = waitFor(
        [&] {
            const int count = bench.model->count();
            if (count != lastCount) {
                lastCount = count;
                lastChange = clock.elapsed();
            }
            return count >= replies || clock.elapsed() - lastChange > 4000;
        },
        120000);
    const qint64 checksOver = clock.elapsed();
    wait(500); // finished threads are deleted from the event loop
    const qint64 worstLatency = latency.stop();
    rss.stop();
    const qint64 peak = rss.peakKb();
    const qint64 peakAnon = rss.peakAnonKb();
    waitFor([&] { return !bench.model->loading(); }, 20000);
    wait(1000);
    const qint64 after = residentKb();
    const qint64 afterAnon = residentKb("RssAnon:");
    const int listed = bench.model->count();

    // The rows are the search's result and stay; what is left once they are cleared too.
    sim.stop();
    bench.model->update();
    waitFor([&] { return !bench.model->loading(); }, 20000);
    wait(500);
    const qint64 cleared = residentKb();
    const qint64 clearedAnon = residentKb("RssAnon:");

    const QVector<QJsonObject> log = sim.log();
    const int received = int(entries(log, QStringLiteral("udp-out")).size());
    const int checked = int(entries(log, QStringLiteral("http")).size());

    std::printf("flood: %d replies sent in %d s, %d checked%s in %.1f s, %d rows listed\n",
                received, seconds, checked, done ? "" : " (incomplete)", checksOver / 1000.0,
                listed);
    std::printf("flood: idle %lld kB, peak %lld kB (+%.1f MB), after the checks %lld kB (+%.1f MB),"
                " list cleared %lld kB (+%.1f MB)\n",
                idle, peak, (peak - idle) / 1024.0, after, (after - idle) / 1024.0, cleared,
                (cleared - idle) / 1024.0);
    std::printf("flood: anonymous memory: idle %lld kB, peak +%.1f MB, after the checks +%.1f MB, "
                "list cleared +%.1f MB\n",
                idleAnon, (peakAnon - idleAnon) / 1024.0, (afterAnon - idleAnon) / 1024.0,
                (clearedAnon - idleAnon) / 1024.0);
    std::printf("flood: worst main-thread event-loop latency %lld ms\n", worstLatency);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Search benchmarks on a private network."));
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("timed runs per scenario (default 7)"),
                                        QStringLiteral("n"), QStringLiteral("7"));
    const QCommandLineOption floodOnly(QStringLiteral("flood-only"),
                                       QStringLiteral("only the reply flood"));
    const QCommandLineOption noFlood(QStringLiteral("no-flood"), QStringLiteral("no reply flood"));
    parser.addOptions({runsOption, floodOnly, noFlood});
    parser.process(app);

    const QString refusal = refusalReason();
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "bench_search: refusing to broadcast: %s\n", qPrintable(refusal));
        return 2;
    }
    if (lanIps().size() < 200) {
        std::fprintf(stderr, "bench_search: needs scripts/testnet.sh --lan-hosts 200\n");
        return 2;
    }

    QTemporaryDir dir;
    Controller controller(dir.filePath(QStringLiteral("last_selected_controller")),
                          dir.filePath(QStringLiteral("controllerselect.ini")));
    ControllerListModel *model = ControllerListModel::instance();
    model->setDiscovery([&controller] { controller.discoverControllers(); });
    // A short quiet period only shortens the waits between runs; rows arrive as in the product.
    model->setSearchInterval(1000);
    const Bench bench{&controller, model};
    Simulator sim;

    const int runs = qMax(1, parser.value(runsOption).toInt());
    if (!parser.isSet(floodOnly)) {
        scenario(bench, sim, "1 controller", 1, 0, runs);
        scenario(bench, sim, "50 controllers", 50, 0, runs);
        scenario(bench, sim, "200 controllers", 200, 0, runs);
        scenario(bench, sim, "200, 20 silent web servers", 200, 10, runs);
    }
    if (!parser.isSet(noFlood))
        flood(bench, sim, 10000, 2);
    return 0;
}
