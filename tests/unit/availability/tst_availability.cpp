#include "controller/availabilitychecker.h"
#include "controller/controller.h"
#include "controller/controlleraddress.h"
#include "controller/controllersearch.h"
#include "model/controllerlistmodel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <memory>

using ControllerData = ControllerListModel::ControllerData;

namespace {

// The port the checker's cases use through its port seam; the blocking check asks port 80,
// which CTest gives this test in a network namespace of its own.
const quint16 kCheckerPort = quint16(QRandomGenerator::global()->bounded(20000, 60000));

// A web server on a port of its own loopback address (all of 127/8 is local on Linux), so
// parallel test runs do not meet. Answers each request with a status, after a delay, or never;
// with a location, the answer carries it as its Location header.
class LoopbackWebServer : public QTcpServer
{
public:
    explicit LoopbackWebServer(int status, const QByteArray &location = QByteArray(),
                               int delayMs = 0)
        : m_status(status)
        , m_location(location)
        , m_delayMs(delayMs)
    {}

    bool listenSomewhere(quint16 port)
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            const quint32 random = QRandomGenerator::global()->bounded(1u, 0xfffeu);
            m_address = QStringLiteral("127.77.%1.%2").arg(random >> 8).arg(random & 0xff);
            if (listen(QHostAddress(m_address), port))
                return true;
        }
        return false;
    }

    QString address() const { return m_address; }
    int connections() const { return m_connections; }
    QStringList requestLines() const { return m_requestLines; }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        ++m_connections;
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            m_buffer += socket->readAll();
            if (!m_buffer.contains("\r\n\r\n"))
                return;
            m_requestLines << QString::fromLatin1(m_buffer.left(m_buffer.indexOf("\r\n")));
            m_buffer.clear();
            if (m_status == 0)
                return; // accepted, read, never answered
            QByteArray answer = QByteArrayLiteral("HTTP/1.1 ") + QByteArray::number(m_status) +
                                QByteArrayLiteral(" X\r\n");
            if (!m_location.isEmpty())
                answer += QByteArrayLiteral("Location: ") + m_location + QByteArrayLiteral("\r\n");
            answer += QByteArrayLiteral("Content-Length: 0\r\n\r\n");
            QTimer::singleShot(m_delayMs, socket, [socket, answer] { socket->write(answer); });
        });
    }

private:
    int m_status;
    QByteArray m_location;
    int m_delayMs;
    QString m_address;
    int m_connections = 0;
    QStringList m_requestLines;
    QByteArray m_buffer;
};

// A loopback address where nothing listens: the connection is refused at once.
QString refusingAddress()
{
    return QStringLiteral("127.77.255.%1").arg(QRandomGenerator::global()->bounded(1, 254));
}

} // namespace

class TestAvailability : public QObject
{
    Q_OBJECT

private slots:
    void answerDecides_data();
    void answerDecides();
    void redirectIsNotFollowed();
    void silentServerGivesUpAfterTheLimit();
    void refusedGivesUpAtOnce();
    void addressWithPortIsNotAHost();
    void worksOnAWorkerThread();

    void lastController_data();
    void lastController();

    void checkerSharesOneRequestPerSender();
    void checkerIsNotHeldBackBySilentServers();
    void checkerDropsEarlierSearches();
    void checkerReleasesRetiredManagers();
    void checkerRefusesRepeatsBeforeNewSenders();
    void checkerAsksRepeatAnswerersFirst_data();
    void checkerAsksRepeatAnswerersFirst();

    void searchLastsFiveSecondsByDefault();
    void searchEndsWhenQuiet_data();
    void searchEndsWhenQuiet();
    void searchKeepsFewRowsPerSender();
    void searchEndsAtItsLongest();

private:
    // On port 80, for the blocking check; a failure to bind fails the case, never skips it.
    std::unique_ptr<LoopbackWebServer> startServer(int status,
                                                   const QByteArray &location = QByteArray());
    std::unique_ptr<LoopbackWebServer> startCheckerServer(int status, int delayMs = 0);
};

std::unique_ptr<LoopbackWebServer> TestAvailability::startServer(int status,
                                                                 const QByteArray &location)
{
    auto server = std::make_unique<LoopbackWebServer>(status, location);
    if (!server->listenSomewhere(ControllerAddress::WebPort)) {
        qWarning("port 80 on loopback cannot be bound: run this test through ctest, which gives "
                 "it a network namespace of its own");
        return nullptr;
    }
    return server;
}

std::unique_ptr<LoopbackWebServer> TestAvailability::startCheckerServer(int status, int delayMs)
{
    auto server = std::make_unique<LoopbackWebServer>(status, QByteArray(), delayMs);
    if (!server->listenSomewhere(kCheckerPort))
        return nullptr;
    return server;
}

void TestAvailability::answerDecides_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("available");

    QTest::newRow("200") << 200 << true;
    QTest::newRow("204") << 204 << true;
    QTest::newRow("404") << 404 << false;
    QTest::newRow("401") << 401 << false;
    QTest::newRow("500") << 500 << false;
}

void TestAvailability::answerDecides()
{
    QFETCH(int, status);
    QFETCH(bool, available);

    auto server = startServer(status);
    QVERIFY(server);
    QCOMPARE(Controller::checkControllerAvailable(server->address()), available);
    QCOMPARE(server->requestLines(),
             QStringList{QStringLiteral("HEAD %1 HTTP/1.1").arg(ControllerAddress::CheckPath)});
}

// A redirection counts as an answer by itself: its target, which would refuse, is never asked.
void TestAvailability::redirectIsNotFollowed()
{
    auto target = startServer(404);
    QVERIFY(target);
    auto server =
        startServer(302, ControllerAddress::parse(target->address()).checkUrl().toEncoded());
    QVERIFY(server);
    QVERIFY(Controller::checkControllerAvailable(server->address()));
    QCOMPARE(server->requestLines(),
             QStringList{QStringLiteral("HEAD %1 HTTP/1.1").arg(ControllerAddress::CheckPath)});
    QCoreApplication::processEvents();
    QCOMPARE(target->connections(), 0);
}

void TestAvailability::silentServerGivesUpAfterTheLimit()
{
    auto server = startServer(0);
    QVERIFY(server);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!Controller::checkControllerAvailable(server->address()));
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 2500 && elapsed <= 5000, qPrintable(QString::number(elapsed)));
    QCOMPARE(server->requestLines().size(), 1);
}

void TestAvailability::refusedGivesUpAtOnce()
{
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!Controller::checkControllerAvailable(refusingAddress()));
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
}

void TestAvailability::addressWithPortIsNotAHost()
{
    // Even a server that would answer 200 on the very port named is never reached.
    auto server = startServer(200);
    QVERIFY(server);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!Controller::checkControllerAvailable(server->address() + QStringLiteral(":80")));
    QVERIFY(clock.elapsed() < 1500);
    QCoreApplication::processEvents();
    QCOMPARE(server->connections(), 0);
}

void TestAvailability::worksOnAWorkerThread()
{
    auto server = startServer(200);
    QVERIFY(server);
    std::atomic<int> result{-1};
    const QString address = server->address();
    std::unique_ptr<QThread> thread(
        QThread::create([&] { result = Controller::checkControllerAvailable(address) ? 1 : 0; }));
    thread->start();
    // The server lives on this thread, so keep its events flowing while the worker waits.
    QTRY_VERIFY_WITH_TIMEOUT(thread->isFinished(), 5000);
    QCOMPARE(result.load(), 1);
}

void TestAvailability::lastController_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("available");
    QTest::addColumn<int>("connections");

    QTest::newRow("none stored: no traffic") << 200 << QString() << false << false << 0;
    QTest::newRow("stored, answers") << 200 << QString() << true << true << 1;
    QTest::newRow("stored, 404") << 404 << QString() << true << false << 1;
    QTest::newRow("stored with a port") << 200 << QStringLiteral(":80") << true << false << 0;
}

void TestAvailability::lastController()
{
    QFETCH(int, status);
    QFETCH(QString, suffix);
    QFETCH(bool, stored);
    QFETCH(bool, available);
    QFETCH(int, connections);

    auto server = startServer(status);
    QVERIFY(server);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Controller controller(dir.filePath(QStringLiteral("last_selected_controller")),
                          dir.filePath(QStringLiteral("controllerselect.ini")));
    if (stored)
        controller.setLastController(server->address() + suffix);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(controller.checkLastControllerAvailable(), available);
    QVERIFY(clock.elapsed() < 2000);
    QCoreApplication::processEvents();
    QCOMPARE(server->connections(), connections);
}

namespace {

ControllerData record(const QString &address, int i = 0)
{
    return {QStringLiteral("c%1").arg(i), QStringLiteral("1"), QStringLiteral("S%1").arg(i),
            address};
}

AvailabilityChecker::Limits checkerLimits(int maxInFlight = 256)
{
    AvailabilityChecker::Limits limits;
    limits.maxInFlight = maxInFlight;
    return limits;
}

int threadCount()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("Threads:"))
            return line.mid(8).trimmed().toInt();
    }
    return -1;
}

} // namespace

void TestAvailability::checkerSharesOneRequestPerSender()
{
    auto answering = startCheckerServer(200);
    auto refusing = startCheckerServer(404);
    QVERIFY(answering && refusing);

    AvailabilityChecker checker(kCheckerPort, checkerLimits());
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    QSignalSpy settled(&checker, &AvailabilityChecker::settled);
    checker.beginSearch(7);
    // Two batches from the same senders before any answer: one request each.
    checker.check(7, 0,
                  {record(answering->address(), 1), record(refusing->address(), 2),
                   record(answering->address(), 3)});
    checker.check(7, 0, {record(answering->address(), 4), record(answering->address(), 4)});
    QCOMPARE(checker.inFlight(), 2);
    QVERIFY(settled.wait(5000));
    QCOMPARE(settled.last(), (QVariantList{7ull, 2ull}));

    QCOMPARE(answering->requestLines().size(), 1);
    QCOMPARE(refusing->requestLines().size(), 1);

    // Replies to the repeated request after the answers: the answering sender's are listed at
    // once without a request, the refusing one is asked again (its failure may have passed).
    checker.check(7, 1,
                  {record(answering->address(), 1), record(refusing->address(), 2),
                   record(answering->address(), 5)});
    QCOMPARE(checker.inFlight(), 1);
    QVERIFY(settled.wait(5000));
    QCOMPARE(settled.last(), (QVariantList{7ull, 3ull}));
    QCOMPARE(answering->requestLines().size(), 1);
    QCOMPARE(refusing->requestLines().size(), 2);
    QCOMPARE(confirmed.size(), 2);
    QCOMPARE(confirmed[0][0].toULongLong(), 7ull);
    QCOMPARE(confirmed[0][1].value<AvailabilityChecker::Records>(),
             (AvailabilityChecker::Records{record(answering->address(), 1),
                                           record(answering->address(), 3),
                                           record(answering->address(), 4)}));
    QCOMPARE(confirmed[1][1].value<AvailabilityChecker::Records>(),
             (AvailabilityChecker::Records{record(answering->address(), 1),
                                           record(answering->address(), 5)}));
    QCOMPARE(checker.heldRecords(), 0);
}

void TestAvailability::checkerIsNotHeldBackBySilentServers()
{
    // More silent web servers than requests may be in flight: the answering one, which came
    // last, still gets its answer long before the silent ones give up.
    constexpr int kSilent = 6;
    std::vector<std::unique_ptr<LoopbackWebServer>> silent;
    AvailabilityChecker::Records records;
    for (int i = 0; i < kSilent; ++i) {
        silent.push_back(startCheckerServer(0));
        QVERIFY(silent.back());
        records << record(silent.back()->address(), i);
    }
    auto answering = startCheckerServer(200);
    QVERIFY(answering);
    records << record(answering->address(), 99);

    AvailabilityChecker checker(kCheckerPort, checkerLimits(4));
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    QElapsedTimer clock;
    clock.start();
    checker.check(1, 0, records);
    QCOMPARE(checker.inFlight(), 4);

    // The bound holds; the answering sender waits for the first free request, one time limit.
    QVERIFY(confirmed.wait(8000));
    QVERIFY2(clock.elapsed() >= 2500 && clock.elapsed() < 5500,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(confirmed[0][1].value<AvailabilityChecker::Records>(),
             AvailabilityChecker::Records{records.last()});

    // Without a bound that low, the same crowd costs it nothing.
    AvailabilityChecker unbounded(kCheckerPort, checkerLimits());
    QSignalSpy quick(&unbounded, &AvailabilityChecker::confirmed);
    clock.restart();
    unbounded.check(1, 0, records);
    QVERIFY(quick.wait(2000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

void TestAvailability::checkerDropsEarlierSearches()
{
    // Both answer, 300 ms after their request: a record of the old search carried over would
    // be confirmed before the new one.
    auto old = startCheckerServer(200, 300);
    auto answering = startCheckerServer(200, 300);
    QVERIFY(old && answering);

    AvailabilityChecker checker(kCheckerPort, checkerLimits());
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    checker.check(1, 0, {record(old->address())});
    QTRY_COMPARE(old->requestLines().size(), 1);

    // A new search gives up the old request at once, and late records of the old one are dropped.
    checker.beginSearch(2);
    QCOMPARE(checker.inFlight(), 0);
    QCOMPARE(checker.heldRecords(), 0);
    checker.check(1, 0, {record(answering->address(), 1)});
    QCOMPARE(checker.inFlight(), 0);
    checker.check(2, 0, {record(answering->address(), 2)});
    QVERIFY(confirmed.wait(3000));
    QCOMPARE(confirmed.size(), 1);
    QCOMPARE(confirmed[0][0].toULongLong(), 2ull);
    QCOMPARE(confirmed[0][1].value<AvailabilityChecker::Records>(),
             AvailabilityChecker::Records{record(answering->address(), 2)});
    QCOMPARE(answering->requestLines().size(), 1);

    // An ended search takes nothing more.
    checker.endSearch(2);
    checker.check(2, 0, {record(old->address(), 3)});
    QCOMPARE(checker.inFlight(), 0);
    QCOMPARE(checker.managers(), 0);
}

// One check at a time through managers that serve two requests each: every manager used up is
// gone once its last request has answered, with its thread.
void TestAvailability::checkerReleasesRetiredManagers()
{
    constexpr int kSenders = 16;
    std::vector<std::unique_ptr<LoopbackWebServer>> servers;
    for (int i = 0; i < kSenders; ++i) {
        servers.push_back(startCheckerServer(200));
        QVERIFY(servers.back());
    }
    AvailabilityChecker::Limits limits = checkerLimits();
    limits.requestsPerManager = 2;
    AvailabilityChecker checker(kCheckerPort, limits);
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    int threads = -1;
    for (int i = 0; i < kSenders; ++i) {
        checker.check(1, 0, {record(servers[i]->address(), i)});
        QTRY_COMPARE(confirmed.size(), i + 1);
        QVERIFY2(checker.managers() <= 1, qPrintable(QString::number(checker.managers())));
        if (i == 1)
            threads = threadCount();
    }
    QTRY_VERIFY2(threadCount() <= threads, qPrintable(QString::number(threadCount() - threads)));
}

// A flood of records from one waiting sender fills what may be held; a sender that replies
// after it still gets its check.
void TestAvailability::checkerRefusesRepeatsBeforeNewSenders()
{
    auto flooding = startCheckerServer(200, 200);
    auto late = startCheckerServer(200);
    QVERIFY(flooding && late);
    AvailabilityChecker::Limits limits = checkerLimits(1);
    limits.maxSenders = 2;
    limits.maxRepeats = 2;
    AvailabilityChecker checker(kCheckerPort, limits);
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);

    AvailabilityChecker::Records flood;
    for (int i = 0; i < 5; ++i)
        flood << record(flooding->address(), i);
    checker.check(1, 0, flood);
    QCOMPARE(checker.heldRecords(), 3);
    checker.check(1, 0, {record(late->address(), 9)});
    QCOMPARE(checker.heldRecords(), 4);

    QTRY_COMPARE(confirmed.size(), 2);
    QCOMPARE(confirmed[0][1].value<AvailabilityChecker::Records>(), flood.mid(0, 3));
    QCOMPARE(confirmed[1][1].value<AvailabilityChecker::Records>(),
             AvailabilityChecker::Records{record(late->address(), 9)});
}

// One request at a time, every web server answering 100 ms after it is asked: the order of
// the answers is the order of the requests.
void TestAvailability::checkerAsksRepeatAnswerersFirst_data()
{
    QTest::addColumn<int>("copy"); // the copy of the request that the last sender answers again
    QTest::addColumn<QVector<int>>("order");

    QTest::newRow("two copies answered: asked next") << 1 << QVector<int>{0, 3, 1, 2};
    QTest::newRow("the same copy twice: arrival order") << 0 << QVector<int>{0, 1, 2, 3};
}

void TestAvailability::checkerAsksRepeatAnswerersFirst()
{
    QFETCH(int, copy);
    QFETCH(QVector<int>, order);

    std::vector<std::unique_ptr<LoopbackWebServer>> servers;
    AvailabilityChecker::Records records;
    for (int i = 0; i < 4; ++i) {
        servers.push_back(startCheckerServer(200, 100));
        QVERIFY(servers.back());
        records << record(servers.back()->address(), i);
    }
    AvailabilityChecker checker(kCheckerPort, checkerLimits(1));
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    checker.check(1, 0, records);
    checker.check(1, copy, {records.last()});

    QTRY_COMPARE_WITH_TIMEOUT(confirmed.size(), 4, 5000);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(confirmed[i][1].value<AvailabilityChecker::Records>().constFirst(),
                 records[order[i]]);
}

void TestAvailability::searchLastsFiveSecondsByDefault()
{
    int sent = 0;
    ControllerSearch search([&sent] { ++sent; });
    QSignalSpy running(&search, &ControllerSearch::runningChanged);
    QElapsedTimer clock;
    clock.start();
    search.start();
    QVERIFY(search.isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!search.isRunning(), 8000);
    // A coarse timer may fire up to 5 % early.
    QVERIFY2(clock.elapsed() >= 4700, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(sent, int(1 + ControllerSearch::RepeatsMs.size()));
    QCOMPARE(running.size(), 2);
}

void TestAvailability::searchEndsWhenQuiet_data()
{
    QTest::addColumn<bool>("late");     // a second reply at 4/5 of the quiet time
    QTest::addColumn<bool>("repeated"); // it repeats the first record
    QTest::addColumn<int>("found");

    QTest::newRow("one row") << false << false << 1;
    QTest::newRow("a new row late extends it") << true << false << 2;
    QTest::newRow("the same row late does not") << true << true << 1;
}

void TestAvailability::searchEndsWhenQuiet()
{
    QFETCH(bool, late);
    QFETCH(bool, repeated);
    QFETCH(int, found);
    constexpr int kQuietMs = 600;

    auto server = startCheckerServer(200);
    QVERIFY(server);
    ControllerSearch search([] {}, kCheckerPort, checkerLimits());
    search.setQuietMs(kQuietMs);
    QElapsedTimer clock;
    qint64 lastNew = -1, ended = -1;
    int foundRows = 0;
    connect(&search, &ControllerSearch::found, this, [&] {
        ++foundRows;
        lastNew = clock.elapsed();
    });
    connect(&search, &ControllerSearch::runningChanged, this, [&] { ended = clock.elapsed(); });
    clock.start();
    search.start();
    search.take({record(server->address(), 1)});
    QTRY_COMPARE(foundRows, 1);
    if (late) {
        QTest::qWait(kQuietMs * 4 / 5 - int(clock.elapsed())); // the duration under test
        search.take({record(server->address(), repeated ? 1 : 2)});
    }
    QTRY_VERIFY_WITH_TIMEOUT(!search.isRunning(), kQuietMs * 4);
    QCOMPARE(foundRows, found);
    QVERIFY2(ended >= lastNew + kQuietMs * 94 / 100 && ended < lastNew + kQuietMs * 3 / 2,
             qPrintable(
                 QStringLiteral("ended at %1 ms, last new row at %2 ms").arg(ended).arg(lastNew)));
}

// A host that sends a new name with every reply gets a few rows, and the others theirs.
void TestAvailability::searchKeepsFewRowsPerSender()
{
    auto flooding = startCheckerServer(200);
    auto plain = startCheckerServer(200);
    QVERIFY(flooding && plain);
    ControllerSearch search([] {}, kCheckerPort, checkerLimits());
    QSignalSpy found(&search, &ControllerSearch::found);
    search.start();
    ControllerSearch::Records flood;
    for (int i = 0; i < 20; ++i)
        flood << record(flooding->address(), i);
    search.take(flood.mid(0, 10));
    QTRY_COMPARE(found.size(), ControllerSearch::RowsPerSender);
    // Its web server has answered: its later replies are confirmed without asking.
    search.take(flood.mid(10) + ControllerSearch::Records{record(plain->address(), 99)});
    // The plain sender's row needs a check of its own, so it comes after every flood record of
    // that batch has been decided: none of them became a row.
    QTRY_COMPARE(found.size(), ControllerSearch::RowsPerSender + 1);
    QVector<ControllerSearch::Record> rows;
    for (const QVariantList &row : qAsConst(found))
        rows << row[0].value<ControllerSearch::Record>();
    QVERIFY(rows.contains(record(plain->address(), 99)));
}

// A check that waits keeps a quiet search up, but not past its longest.
void TestAvailability::searchEndsAtItsLongest()
{
    auto silent = startCheckerServer(0);
    QVERIFY(silent);
    ControllerSearch search([] {}, kCheckerPort, checkerLimits());
    search.setQuietMs(200);
    search.setLongestMs(1000);
    QElapsedTimer clock;
    clock.start();
    search.start();
    search.take({record(silent->address())});
    QTRY_VERIFY_WITH_TIMEOUT(!search.isRunning(), 5000);
    // Without its end, the search would wait for the check to give up, after 3 s.
    QVERIFY2(clock.elapsed() >= 950 && clock.elapsed() < 2500,
             qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestAvailability)
#include "tst_availability.moc"
