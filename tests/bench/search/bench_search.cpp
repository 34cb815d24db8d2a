// The search under load, ours beside a plain one-thread-per-reply design, on a private network
// with stand-in controllers (scripts/testnet.sh --lan-hosts 200):
//   - 200 controllers whose web servers take 20 ms a request: time to the last row;
//   - 150 silent web servers ahead of 10 real controllers: time until the 10 are listed;
//   - a silent sender flooding 10,000 replies in 2 s, 10 real controllers during it;
//   - one answering sender flooding 10,000 distinct replies in 2 s (and one plain controller):
//     rows listed, with and without a busy core beside;
//   - a lossy link (20 % of requests and of replies lost): rows listed over five searches of 20;
//   - twice the in-flight cap of silent web servers ahead of 10 real controllers, under a limit
//     of 1024 descriptors: time until the 10 are listed;
//   - 20,000 replies in 20 s while no search runs: threads, memory and checks sent;
//   - 100,000 checks in one search: threads and network access managers (ours only);
//   - 512 one-off senders (the first copy of the request only) ahead of 10 real controllers,
//     16 checks at once: time until the 10 are listed, and the search's end (ours only);
//   - an answering sender flooding distinct replies for 20 s: rows listed, when the search ends.
// For each: peak memory above idle, worst main-thread event-loop latency, memory afterwards,
// and when the search ended.

#include "controller/controller.h"
#include "controller/controlleraddress.h"
#include "controller/controllersearch.h"
#include "model/controllerlistmodel.h"
#include "protocol/blocks.h"
#include "protocol/envelope.h"
#include "protocol/requests.h"
#include "searchtestnet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUdpSocket>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/resource.h>

using namespace SearchTestNet;

namespace {

// The list the benchmark watches; neither design's own.
ControllerListModel *listModel()
{
    static ControllerListModel model;
    return &model;
}

// The plain design, for comparison: every reply gets a thread of its own that runs the blocking
// check, as many at once as replies come; default receive buffer; the list's loading ends once
// no new row has come for the quiet time, with no other bound.
class ReferenceSearch
{
public:
    ReferenceSearch()
    {
        m_socket.bind(QHostAddress::Any, Controller::Port);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { read(); });
        m_quiet.setSingleShot(true);
        QObject::connect(&m_quiet, &QTimer::timeout, [] { listModel()->setLoading(false); });
    }

    void setQuietMs(int ms) { m_quiet.setInterval(ms); }

    void start()
    {
        ControllerListModel *model = listModel();
        model->update();
        model->setLoading(true);
        m_quiet.start();
        const QByteArray request = ZelCRC::discoveryRequest();
        const auto interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface &interface : interfaces) {
            const auto flags = interface.flags();
            if (!flags.testFlag(QNetworkInterface::IsUp) ||
                !flags.testFlag(QNetworkInterface::IsRunning) ||
                flags.testFlag(QNetworkInterface::IsLoopBack))
                continue;
            for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
                if (!entry.broadcast().isNull())
                    m_socket.writeDatagram(request, entry.broadcast(), Controller::Port);
            }
        }
    }

private:
    void read()
    {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = m_socket.receiveDatagram();
            if (!datagram.isValid())
                break;
            QByteArray body;
            if (!ZelCRC::unpackMessage(datagram.data(), body))
                continue;
            const QVariant parsed = NEBconfig::parseBlocks(body);
            if (!parsed.isValid())
                continue;
            const auto blocks = qvariant_cast<NEBconfig::Blocks>(parsed);
            const ControllerListModel::ControllerData record{
                blocks.value(NEBconfig::NameKey).toString(),
                blocks.value(NEBconfig::ModelKey).toString(),
                blocks.value(NEBconfig::SerialNumberKey).toString(),
                ControllerAddress::fromSender(datagram.senderAddress()).text()};
            // The design may be gone by the time a slow check answers.
            const QPointer<QTimer> quiet = &m_quiet;
            QThread *thread = QThread::create([quiet, record] {
                if (!Controller::checkControllerAvailable(record.ipAddress))
                    return;
                QMetaObject::invokeMethod(listModel(), [quiet, record] {
                    ControllerListModel *model = listModel();
                    const int before = model->count();
                    model->addController(record);
                    if (model->count() > before && quiet)
                        quiet->start();
                });
            });
            QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
            thread->start();
        }
    }

    QUdpSocket m_socket;
    QTimer m_quiet;
};

// One of the two designs, bound to the display's port for as long as it lives.
class Design
{
public:
    Design(bool ours, const QString &dir, int quietMs)
    {
        if (ours) {
            m_ours = std::make_unique<Controller>(dir + QStringLiteral("/last_selected_controller"),
                                                  dir + QStringLiteral("/controllerselect.ini"));
            m_ours->search()->setQuietMs(quietMs);
            listModel()->setSearch(m_ours->search());
        } else {
            m_reference = std::make_unique<ReferenceSearch>();
            m_reference->setQuietMs(quietMs);
            listModel()->setSearch(nullptr);
        }
    }
    ~Design()
    {
        listModel()->setSearch(nullptr);
        listModel()->setLoading(false);
    }

    void start()
    {
        if (m_ours)
            listModel()->update();
        else
            m_reference->start();
    }

private:
    std::unique_ptr<Controller> m_ours;
    std::unique_ptr<ReferenceSearch> m_reference;
};

const char kTooManyThreads[] = "a thread per reply needs about 3 descriptors, 522 replies pass the "
                               "limit and the process aborts";

QStringList lanIps()
{
    return qEnvironmentVariable("CS_LAN_IPS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

void settle(int ms)
{
    QTest::qWait(ms);
}

struct Run
{
    qint64 doneMs = -1;  // until the expected rows were listed; -1 never
    int listed = 0;      // rows that count towards the goal
    int rows = 0;        // rows in all when the search ended
    qint64 endedMs = -1; // when the search ended; -1 never
    qint64 idleKb = 0, peakKb = 0, afterKb = 0;
    qint64 worstLatencyMs = 0;
};

// One search: the time until `expected` rows whose name starts with `prefix` are listed.
Run timedSearch(Design &design, const QString &prefix, int expected, int giveUpMs)
{
    ControllerListModel *model = listModel();
    Run run;
    QElapsedTimer clock;
    const auto counter = QObject::connect(model, &QAbstractItemModel::rowsInserted,
                                          [&](const QModelIndex &, int first, int last) {
                                              for (int row = first; row <= last; ++row) {
                                                  if (model->index(row)
                                                          .data(ControllerListModel::ControllerName)
                                                          .toString()
                                                          .startsWith(prefix))
                                                      ++run.listed;
                                              }
                                              if (run.listed == expected && run.doneMs < 0)
                                                  run.doneMs = clock.elapsed();
                                          });
    const auto ended =
        QObject::connect(model, &ControllerListModel::loadingChanged, [&](bool loading) {
            if (!loading && run.endedMs < 0) {
                run.endedMs = clock.elapsed();
                run.rows = model->count();
            }
        });

    RssSampler rss;
    LatencyProbe latency;
    run.idleKb = residentKb();
    rss.start();
    latency.start();
    clock.start();
    design.start();
    waitFor([&] { return run.doneMs >= 0 || clock.elapsed() > giveUpMs; }, giveUpMs + 1000);
    // Until the search is over, and every check still running (3 s at most) with it.
    waitFor([&] { return !model->loading() && clock.elapsed() > giveUpMs; }, 120000);
    settle(3500);
    run.worstLatencyMs = latency.stop();
    rss.stop();
    run.peakKb = rss.peakKb();
    run.afterKb = residentKb();
    QObject::disconnect(counter);
    QObject::disconnect(ended);
    return run;
}

struct Scenario
{
    const char *label;
    QJsonArray controllers;
    QString prefix; // rows that count
    int expected;
    int giveUpMs;
    bool busyCore = false;
    int rounds = 0; // 0: as many as asked for
    int quietMs = 1000;
    QStringList simArgs = {};
    rlim_t descriptorLimit = 0; // 0: the process's own
    // The plain design cannot run it, for this reason.
    bool oursOnly = false;
    const char *whyOursOnly = "";
};

// The soft limit of descriptors for as long as it lives.
class DescriptorLimit
{
public:
    explicit DescriptorLimit(rlim_t soft)
    {
        getrlimit(RLIMIT_NOFILE, &m_saved);
        if (soft == 0)
            return;
        rlimit limit = m_saved;
        limit.rlim_cur = soft;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    ~DescriptorLimit() { setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved{};
};

void report(const char *label, const char *design, QVector<Run> runs, int expected)
{
    QVector<qint64> times, ends;
    qint64 peak = 0, latency = 0, after = 0, incomplete = 0, worstListed = expected;
    int listedInAll = 0, mostRows = 0;
    for (const Run &r : runs) {
        ends << (r.endedMs < 0 ? 999999 : r.endedMs);
        mostRows = qMax(mostRows, r.rows);
        listedInAll += r.listed;
        times << (r.doneMs < 0 ? 999999 : r.doneMs);
        peak = qMax(peak, r.peakKb - r.idleKb);
        after = qMax(after, r.afterKb - r.idleKb);
        latency = qMax(latency, r.worstLatencyMs);
        worstListed = qMin<qint64>(worstListed, r.listed);
        incomplete += r.doneMs < 0;
    }
    std::sort(times.begin(), times.end());
    auto shown = [](qint64 t) {
        return t >= 999999 ? QStringLiteral("never") : QStringLiteral("%1 ms").arg(t);
    };
    std::printf("  %-9s median %8s  worst %8s  listed %5lld/%d  peak +%5.1f MB  after +%5.1f MB"
                "  latency %4lld ms%s\n",
                design, qPrintable(shown(times[times.size() / 2])), qPrintable(shown(times.last())),
                worstListed, expected, peak / 1024.0, after / 1024.0, latency,
                incomplete ? "  (some runs incomplete)" : "");
    std::sort(ends.begin(), ends.end());
    std::printf("  %-9s search ended after %8s (worst %8s), rows %d\n", design,
                qPrintable(shown(ends[ends.size() / 2])), qPrintable(shown(ends.last())), mostRows);
    if (runs.size() > 1)
        std::printf("  %-9s listed in all %d of %d (%.1f %%)\n", design, listedInAll,
                    expected * int(runs.size()), 100.0 * listedInAll / (expected * runs.size()));
    std::fflush(stdout);
    Q_UNUSED(label)
}

void runScenario(Simulator &sim, const QString &dir, const Scenario &s, int rounds)
{
    std::printf("%s\n", s.label);
    std::fflush(stdout);
    if (!sim.start(QJsonDocument(s.controllers).toJson(QJsonDocument::Compact),
                   QStringList{QStringLiteral("--flood-seconds"), QStringLiteral("2")} +
                       s.simArgs)) {
        std::printf("  simulator did not start: %s\n", qPrintable(sim.errorOutput()));
        return;
    }
    QVector<Run> ours, reference;
    // Rounds alternate the designs, so that both meet the same machine.
    for (int i = 0; i < (s.rounds > 0 ? s.rounds : rounds); ++i) {
        for (bool isOurs : {true, false}) {
            if (!isOurs && s.oursOnly)
                continue;
            std::unique_ptr<QProcess> busy;
            if (s.busyCore) {
                busy = std::make_unique<QProcess>();
                busy->start(QStringLiteral("sh"),
                            {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
                busy->waitForStarted();
            }
            const DescriptorLimit limit(s.descriptorLimit);
            Design design(isOurs, dir, s.quietMs);
            settle(300);
            const Run run = timedSearch(design, s.prefix, s.expected, s.giveUpMs);
            (isOurs ? ours : reference) << run;
            if (busy) {
                busy->kill();
                busy->waitForFinished();
            }
        }
    }
    sim.stop();
    report(s.label, "ours", ours, s.expected);
    if (s.oursOnly)
        std::printf("  reference cannot run here: %s\n", s.whyOursOnly);
    else
        report(s.label, "reference", reference, s.expected);

    // What stays once the list is emptied again (no controller answers any more).
    Design design(true, dir, 1000);
    design.start();
    waitFor([] { return !listModel()->loading(); }, 20000);
    settle(500);
    std::printf("  resident size with the list emptied: %lld kB\n", residentKb());
}

qint64 threads()
{
    return residentKb("Threads:");
}

// Replies while no search runs: one answering sender, asked by a request not the display's.
void repliesOutsideASearch(Simulator &sim, const QString &dir, const QString &ip)
{
    constexpr int kReplies = 20000;
    std::printf("%d replies in 20 s from one answering sender while no search runs\n", kReplies);
    for (bool isOurs : {true, false}) {
        const QJsonArray controllers{
            controllerAt(ip, QStringLiteral("Flood"), QStringLiteral("flood=%1").arg(kReplies))};
        if (!sim.start(QJsonDocument(controllers).toJson(QJsonDocument::Compact),
                       {QStringLiteral("--flood-seconds"), QStringLiteral("20")})) {
            std::printf("  simulator did not start: %s\n", qPrintable(sim.errorOutput()));
            return;
        }
        Design design(isOurs, dir, 1000);
        settle(500);
        const qint64 threadsBefore = threads();
        const qint64 rssBefore = residentKb();
        qint64 peakThreads = threadsBefore;
        RssSampler rss;
        rss.start();
        QUdpSocket other;
        other.bind(QHostAddress(qEnvironmentVariable("CS_DISPLAY_IP")), 0);
        other.writeDatagram(ZelCRC::discoveryRequest(), QHostAddress(ip), Controller::Port);
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000 + 3500) {
            settle(250);
            peakThreads = qMax(peakThreads, threads());
        }
        rss.stop();
        // Before the log is read: its 20,000 lines would count too.
        const qint64 rssAfter = residentKb();
        const qint64 threadsAfter = threads();
        const int checks = entries(sim.log(), QStringLiteral("http")).size();
        const int sent = entries(sim.log(), QStringLiteral("udp-out")).size();
        sim.stop();
        std::printf("  %-9s threads %lld -> %lld (peak %lld)  resident %+.1f MB (peak %+.1f MB)"
                    "  checks sent %d  replies %d\n",
                    isOurs ? "ours" : "reference", threadsBefore, threadsAfter, peakThreads,
                    (rssAfter - rssBefore) / 1024.0, (rss.peakKb() - rssBefore) / 1024.0, checks,
                    sent);
        std::fflush(stdout);
    }
}

// Many checks in one search, every sender failing and so asked again by each reply: the
// managers used up are released as they go, with their threads.
void manyChecks(Simulator &sim, const QStringList &ips)
{
    constexpr int kSenders = 200;
    constexpr int kChecks = 100000;
    std::printf("%d checks in one search (%d senders answering 404, each asked again): ours\n",
                kChecks, kSenders);
    QJsonArray controllers;
    AvailabilityChecker::Records records;
    for (int i = 0; i < kSenders; ++i) {
        controllers.append(
            controllerAt(ips[i], QStringLiteral("F%1").arg(i), QStringLiteral("http=404")));
        records.append({QStringLiteral("F%1").arg(i), QStringLiteral("3"), QString(), ips[i]});
    }
    if (!sim.start(QJsonDocument(controllers).toJson(QJsonDocument::Compact))) {
        std::printf("  simulator did not start: %s\n", qPrintable(sim.errorOutput()));
        return;
    }
    QThread thread;
    auto owned = std::make_unique<AvailabilityChecker>();
    AvailabilityChecker *checker = owned.get();
    checker->moveToThread(&thread);
    thread.start();
    std::atomic<quint64> settled{0};
    QObject::connect(
        checker, &AvailabilityChecker::settled, checker,
        [&settled](quint64, quint64 batches) { settled = batches; }, Qt::DirectConnection);
    const qint64 threadsBefore = threads();
    qint64 peakThreads = threadsBefore, threadsAt10 = -1;
    QElapsedTimer clock;
    clock.start();
    for (quint64 round = 1; round <= kChecks / kSenders; ++round) {
        QMetaObject::invokeMethod(checker, [checker, records] { checker->check(1, 0, records); });
        waitFor([&] { return settled.load() == round; }, 30000);
        peakThreads = qMax(peakThreads, threads());
        if (round == kChecks / kSenders / 10)
            threadsAt10 = threads();
    }
    const int managers = [checker] {
        int n = 0;
        QMetaObject::invokeMethod(
            checker, [&n, checker] { n = checker->managers(); }, Qt::BlockingQueuedConnection);
        return n;
    }();
    settle(500);
    std::printf("  ours      threads %lld before, %lld after 10,000 checks, %lld after %d (peak "
                "%lld); managers alive %d; %lld s\n",
                threadsBefore, threadsAt10, threads(), kChecks, peakThreads, managers,
                clock.elapsed() / 1000);
    QMetaObject::invokeMethod(
        checker, [checker] { checker->endSearch(1); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    sim.stop();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Search benchmarks on a private network."));
    parser.addHelpOption();
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("rounds per scenario (default 5)"),
                                          QStringLiteral("n"), QStringLiteral("5"));
    parser.addOption(roundsOption);
    parser.process(app);

    const QString refusal = refusalReason();
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "bench_search: refusing to broadcast: %s\n", qPrintable(refusal));
        return 2;
    }
    const QStringList ips = lanIps();
    if (ips.size() < 522) {
        std::fprintf(stderr, "bench_search: needs scripts/testnet.sh --lan-hosts 530\n");
        return 2;
    }

    QTemporaryDir dir;
    Simulator sim;
    const int rounds = qMax(1, parser.value(roundsOption).toInt());

    QVector<Scenario> scenarios;
    // First: the process holds fewest descriptors of its own then.
    {
        Scenario s{"512 silent web servers (twice the in-flight cap under 1024 descriptors), 10 "
                   "real controllers 100 ms later: time to the 10",
                   {},
                   QStringLiteral("Real"),
                   10,
                   20000,
                   false,
                   1,
                   ControllerSearch::QuietMs,
                   {},
                   1024,
                   true,
                   kTooManyThreads};
        for (int i = 0; i < 512; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Silent %1").arg(i),
                                              QStringLiteral("http=silent")));
        for (int i = 512; i < 522; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Real %1").arg(i),
                                              QStringLiteral("reply-delay=100")));
        scenarios << s;
    }
    {
        Scenario s{"512 one-off senders (the first copy of the request only, silent web servers), "
                   "10 real controllers 100 ms later, 16 checks at once (64 descriptors, 96 s of "
                   "checks): time to the 10, and the search's end",
                   {},
                   QStringLiteral("Real"),
                   10,
                   30000,
                   false,
                   1,
                   ControllerSearch::QuietMs,
                   {},
                   64,
                   true,
                   kTooManyThreads};
        for (int i = 0; i < 512; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Spoofed %1").arg(i),
                                              QStringLiteral("once+http=silent")));
        for (int i = 512; i < 522; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Real %1").arg(i),
                                              QStringLiteral("reply-delay=100")));
        scenarios << s;
    }
    {
        Scenario s{"200 controllers, web servers taking 20 ms a request: time to the last row",
                   {},
                   QStringLiteral("C"),
                   200,
                   8000};
        for (int i = 0; i < 200; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("C%1").arg(i),
                                              QStringLiteral("http-delay=20")));
        scenarios << s;
    }
    {
        Scenario s{"150 silent web servers, 10 real controllers 100 ms later: time to the 10",
                   {},
                   QStringLiteral("Real"),
                   10,
                   8000};
        for (int i = 0; i < 150; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Silent %1").arg(i),
                                              QStringLiteral("http=silent")));
        for (int i = 150; i < 160; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Real %1").arg(i),
                                              QStringLiteral("reply-delay=100")));
        scenarios << s;
    }
    for (bool busy : {false, true}) {
        Scenario s{busy ? "one answering sender floods 10,000 distinct replies in 2 s, a busy core "
                          "beside: rows listed of 10,001 (ours keeps 4 a sender)"
                        : "one answering sender floods 10,000 distinct replies in 2 s: rows listed "
                          "of 10,001 (ours keeps 4 a sender)",
                   {},
                   QString(),
                   10001,
                   15000,
                   busy,
                   1};
        s.controllers.append(
            controllerAt(ips[0], QStringLiteral("Flood"), QStringLiteral("flood=10000")));
        s.controllers.append(controllerAt(ips[1], QStringLiteral("Plain")));
        scenarios << s;
    }

    {
        Scenario s{"a lossy link (20 % of requests and of replies lost), 20 controllers: rows "
                   "listed over five searches",
                   {},
                   QStringLiteral("L"),
                   20,
                   1000,
                   false,
                   5,
                   ControllerSearch::QuietMs,
                   {QStringLiteral("--loss"), QStringLiteral("20"), QStringLiteral("--loss-seed"),
                    QStringLiteral("5")}};
        for (int i = 0; i < 20; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("L%1").arg(i)));
        scenarios << s;
    }
    // Last: the plain design's threads leave hundreds of megabytes behind here.
    {
        Scenario s{"a silent sender floods 10,000 replies in 2 s, 10 real controllers at 500 ms: "
                   "time to the 10",
                   {},
                   QStringLiteral("Real"),
                   10,
                   8000,
                   false,
                   1};
        s.controllers.append(controllerAt(ips[0], QStringLiteral("Flood"),
                                          QStringLiteral("flood=10000+http=silent")));
        for (int i = 1; i <= 10; ++i)
            s.controllers.append(controllerAt(ips[i], QStringLiteral("Real %1").arg(i),
                                              QStringLiteral("reply-delay=500")));
        scenarios << s;
    }
    // A host that keeps the search busy for longer than it may last.
    {
        Scenario s{"one answering sender floods 1,000 distinct replies a second for 20 s to each "
                   "request (and one "
                   "plain controller): rows listed, when the search ends",
                   {},
                   QString(),
                   ControllerSearch::RowsPerSender + 1,
                   25000,
                   false,
                   1,
                   ControllerSearch::QuietMs,
                   {QStringLiteral("--flood-seconds"), QStringLiteral("20")}};
        s.controllers.append(
            controllerAt(ips[0], QStringLiteral("Flood"), QStringLiteral("flood=20000")));
        s.controllers.append(controllerAt(ips[1], QStringLiteral("Plain")));
        scenarios << s;
    }
    std::printf("idle resident size: %lld kB\n", residentKb());
    for (const Scenario &s : scenarios)
        runScenario(sim, dir.path(), s, rounds);
    repliesOutsideASearch(sim, dir.path(), ips[0]);
    manyChecks(sim, ips);
    return 0;
}
