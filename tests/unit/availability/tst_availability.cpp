#include "controller/availabilitychecker.h"
#include "controller/controller.h"
#include "model/controllerlistmodel.h"

#include <QElapsedTimer>
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

// A web server on port 80 of its own loopback address (all of 127/8 is local on Linux), so
// parallel test runs do not meet. Answers each request with a status, or never; with a
// location, the answer carries it as its Location header.
class LoopbackWebServer : public QTcpServer
{
public:
    explicit LoopbackWebServer(int status, const QByteArray &location = QByteArray())
        : m_status(status)
        , m_location(location)
    {}

    bool listenSomewhere()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            const quint32 random = QRandomGenerator::global()->bounded(1u, 0xfffeu);
            m_address = QStringLiteral("127.77.%1.%2").arg(random >> 8).arg(random & 0xff);
            if (listen(QHostAddress(m_address), 80))
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
            socket->write(answer + QByteArrayLiteral("Content-Length: 0\r\n\r\n"));
        });
    }

private:
    int m_status;
    QByteArray m_location;
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
    void initTestCase();

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

private:
    std::unique_ptr<LoopbackWebServer> startServer(int status,
                                                   const QByteArray &location = QByteArray());
};

void TestAvailability::initTestCase()
{
    LoopbackWebServer probe(200);
    if (!probe.listenSomewhere())
        QSKIP("port 80 on loopback cannot be bound here (needs root or a low unprivileged port)");
}

std::unique_ptr<LoopbackWebServer> TestAvailability::startServer(int status,
                                                                 const QByteArray &location)
{
    auto server = std::make_unique<LoopbackWebServer>(status, location);
    if (!server->listenSomewhere())
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
    QCOMPARE(server->requestLines(), QStringList{QStringLiteral("HEAD /tqsettings.json HTTP/1.1")});
}

// A redirection counts as an answer by itself: its target, which would refuse, is never asked.
void TestAvailability::redirectIsNotFollowed()
{
    auto target = startServer(404);
    QVERIFY(target);
    auto server = startServer(302, QByteArrayLiteral("http://") + target->address().toLatin1() +
                                       QByteArrayLiteral("/tqsettings.json"));
    QVERIFY(server);
    QVERIFY(Controller::checkControllerAvailable(server->address()));
    QCOMPARE(server->requestLines(), QStringList{QStringLiteral("HEAD /tqsettings.json HTTP/1.1")});
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

} // namespace

void TestAvailability::checkerSharesOneRequestPerSender()
{
    auto answering = startServer(200);
    auto refusing = startServer(404);
    QVERIFY(answering && refusing);

    AvailabilityChecker checker;
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    QSignalSpy idle(&checker, &AvailabilityChecker::idle);
    checker.beginSearch(7);
    // Two batches from the same senders before any answer: one request each.
    checker.check(7, {record(answering->address(), 1), record(refusing->address(), 2),
                      record(answering->address(), 3)});
    checker.check(7, {record(answering->address(), 4), record(answering->address(), 4)});
    QCOMPARE(checker.inFlight(), 2);
    QVERIFY(idle.wait(5000));

    QCOMPARE(answering->requestLines().size(), 1);
    QCOMPARE(refusing->requestLines().size(), 1);
    QCOMPARE(confirmed.size(), 1);
    QCOMPARE(confirmed[0][0].toULongLong(), 7ull);
    const auto records = confirmed[0][1].value<AvailabilityChecker::Records>();
    QCOMPARE(records, (AvailabilityChecker::Records{record(answering->address(), 1),
                                                    record(answering->address(), 3),
                                                    record(answering->address(), 4)}));
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
        silent.push_back(startServer(0));
        QVERIFY(silent.back());
        records << record(silent.back()->address(), i);
    }
    auto answering = startServer(200);
    QVERIFY(answering);
    records << record(answering->address(), 99);

    AvailabilityChecker::Limits limits;
    limits.maxInFlight = 4;
    AvailabilityChecker checker(80, limits);
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    QElapsedTimer clock;
    clock.start();
    checker.check(1, records);
    QCOMPARE(checker.inFlight(), 4);

    // The bound holds; the answering sender waits for the first free request, one time limit.
    QVERIFY(confirmed.wait(8000));
    QVERIFY2(clock.elapsed() >= 2500 && clock.elapsed() < 5500,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(confirmed[0][1].value<AvailabilityChecker::Records>(),
             AvailabilityChecker::Records{records.last()});

    // Without a bound that low, the same crowd costs it nothing.
    AvailabilityChecker unbounded;
    QSignalSpy quick(&unbounded, &AvailabilityChecker::confirmed);
    clock.restart();
    unbounded.check(1, records);
    QVERIFY(quick.wait(2000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

void TestAvailability::checkerDropsEarlierSearches()
{
    auto silent = startServer(0);
    auto answering = startServer(200);
    QVERIFY(silent && answering);

    AvailabilityChecker checker;
    QSignalSpy confirmed(&checker, &AvailabilityChecker::confirmed);
    checker.check(1, {record(silent->address())});
    QTRY_COMPARE(silent->requestLines().size(), 1);

    // A new search gives up the old request at once, and late records of the old one are dropped.
    checker.beginSearch(2);
    QCOMPARE(checker.inFlight(), 0);
    QCOMPARE(checker.heldRecords(), 0);
    checker.check(1, {record(answering->address(), 1)});
    QCOMPARE(checker.inFlight(), 0);
    checker.check(2, {record(answering->address(), 2)});
    QVERIFY(confirmed.wait(3000));
    QCOMPARE(confirmed.size(), 1);
    QCOMPARE(confirmed[0][0].toULongLong(), 2ull);
    QCOMPARE(answering->requestLines().size(), 1);
}

QTEST_GUILESS_MAIN(TestAvailability)
#include "tst_availability.moc"
