#include "controller/controller.h"
#include "controller/controlleraddress.h"
#include "controller/controllersearch.h"
#include "model/controllerlistmodel.h"
#include "protocol/requests.h"
#include "searchtestnet.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QNetworkInterface>
#include <QSet>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace SearchTestNet;
using Row = QStringList; // name, model, serial, address

namespace {

// Behaviours, one controller each; the lan side holds 10.77.1.1 ... 10.77.1.12.
const char kControllers[] = R"([
  {"ip": "10.77.1.1", "name": "Boiler room", "model": 3, "serial": "SN0001",
   "mac": "00:1A:2B:3C:4D:01"},
  {"ip": "10.77.1.2", "name": "Roof ventilation", "model": 7, "serial": "SN0002",
   "behaviour": "duplicate"},
  {"ip": "10.77.1.3", "name": "Bad checksum", "model": 3, "serial": "SN0003",
   "behaviour": "corrupt-crc"},
  {"ip": "10.77.1.4", "name": "Wrong type", "model": 3, "serial": "SN0004",
   "behaviour": "wrong-type"},
  {"ip": "10.77.1.5", "name": "Not serving", "model": 3, "serial": "SN0005",
   "behaviour": "http=404"},
  {"ip": "10.77.1.6", "name": "Hung web server", "model": 3, "serial": "SN0006",
   "behaviour": "http=silent"},
  {"ip": "10.77.1.7", "name": "No web server", "model": 3, "serial": "SN0007",
   "behaviour": "http=refused"},
  {"ip": "10.77.1.8", "name": "No model block", "serial": "SN0008"},
  {"ip": "10.77.1.9", "name": "Mute", "model": 3, "serial": "SN0009", "behaviour": "silent"},
  {"ip": "10.77.1.10", "name": "Slow reply", "model": 300, "serial": "SN0010",
   "behaviour": "reply-delay=800"},
  {"ip": "10.77.1.11", "model": 3, "serial": "SN0011",
   "blocks": [[102, {"hex": "4e616d65006a756e6b"}], [200, "firmware 2.1"]]},
  {"ip": "10.77.1.12", "name": "Same name twice", "model": 3, "serial": "SN0012",
   "behaviour": "http-delay=600"},
  {"ip": "10.78.1.1", "name": "Second subnet", "model": 5, "serial": "SN0101"}
])";

const QVector<Row> kListed = {
    {QStringLiteral("Boiler room"), QStringLiteral("3"), QStringLiteral("SN0001"),
     QStringLiteral("10.77.1.1")},
    {QStringLiteral("Roof ventilation"), QStringLiteral("7"), QStringLiteral("SN0002"),
     QStringLiteral("10.77.1.2")},
    {QStringLiteral("No model block"), QString(), QStringLiteral("SN0008"),
     QStringLiteral("10.77.1.8")},
    {QStringLiteral("Slow reply"), QStringLiteral("300"), QStringLiteral("SN0010"),
     QStringLiteral("10.77.1.10")},
    {QStringLiteral("Name"), QStringLiteral("3"), QStringLiteral("SN0011"),
     QStringLiteral("10.77.1.11")},
    {QStringLiteral("Same name twice"), QStringLiteral("3"), QStringLiteral("SN0012"),
     QStringLiteral("10.77.1.12")},
};

// Copies of the discovery request one search sends.
constexpr std::size_t kCopies = 1 + ControllerSearch::RepeatsMs.size();

const Row kSecondSubnet = {QStringLiteral("Second subnet"), QStringLiteral("5"),
                           QStringLiteral("SN0101"), QStringLiteral("10.78.1.1")};

QSet<QString> keys(const QVector<Row> &rows)
{
    QSet<QString> set;
    for (const Row &row : rows)
        set.insert(row.join(QLatin1Char('|')));
    return set;
}

qint64 counter(const QString &interface, const char *name)
{
    QFile file(QStringLiteral("/sys/class/net/%1/statistics/%2")
                   .arg(interface, QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().trimmed().toLongLong();
}

// Everything a device was asked to transmit, sent or dropped.
qint64 transmitted(const QString &interface)
{
    return counter(interface, "tx_packets") + counter(interface, "tx_dropped");
}

// "OutDatagrams" of this network namespace (only this process sends UDP here).
qint64 udpDatagramsSent()
{
    QFile file(QStringLiteral("/proc/net/snmp"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!lines[i].startsWith("Udp: ") || !lines[i + 1].startsWith("Udp: "))
            continue;
        const QList<QByteArray> names = lines[i].simplified().split(' ');
        const QList<QByteArray> values = lines[i + 1].simplified().split(' ');
        const int column = names.indexOf("OutDatagrams");
        return column > 0 ? values.value(column).toLongLong() : -1;
    }
    return -1;
}

void disableIPv6(const QString &interface)
{
    // Router solicitations would blur the packet counters; best effort.
    QFile file(QStringLiteral("/proc/sys/net/ipv6/conf/%1/disable_ipv6").arg(interface));
    if (file.open(QIODevice::WriteOnly))
        file.write("1");
}

} // namespace

class TestSearchEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void searchListsAnsweringControllers();
    void linkAwayAndBackDuringASearch();
    void answerOfAnEarlierSearchIsNotListed();
    void secondAddressGetsItsOwnBroadcast();
    void interfaceFilter_data();
    void interfaceFilter();
    void blinkSendsOneDatagram_data();
    void blinkSendsOneDatagram();

private:
    QVector<Row> rows() const;
    bool search();

    QTemporaryDir m_dir;
    std::unique_ptr<Controller> m_controller;
    std::unique_ptr<ControllerListModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    Simulator m_sim;
    // Listens where the display's own broadcasts come from: a check sent there means an own
    // request was taken for a reply.
    QTcpServer m_ownWebServer;
};

void TestSearchEndToEnd::initTestCase()
{
    const QString refusal = refusalReason();
    if (!refusal.isEmpty())
        QFAIL(qPrintable(QStringLiteral("refusing to broadcast: ") + refusal));

    QVERIFY(m_dir.isValid());
    QVERIFY(m_ownWebServer.listen(QHostAddress(qEnvironmentVariable("CS_DISPLAY_IP")), 80));

    // The second subnet exists on the lan side from the start; the display joins it later.
    QVERIFY(runOnLan({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("add"),
                      QStringLiteral("10.78.0.2/16"), QStringLiteral("dev"),
                      QStringLiteral("cslan0")}));
    QVERIFY(runOnLan({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("add"),
                      QStringLiteral("10.78.1.1/16"), QStringLiteral("dev"),
                      QStringLiteral("cslan0")}));
    QVERIFY2(m_sim.start(kControllers), qPrintable(m_sim.errorOutput()));

    m_controller =
        std::make_unique<Controller>(m_dir.filePath(QStringLiteral("last_selected_controller")),
                                     m_dir.filePath(QStringLiteral("controllerselect.ini")));
    // As in the product: the list shows this controller's searches.
    QCOMPARE(m_controller->search()->quietMs(), ControllerSearch::QuietMs);
    m_model = std::make_unique<ControllerListModel>();
    m_tester = std::make_unique<QAbstractItemModelTester>(
        m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_model->setSearch(m_controller->search());
}

void TestSearchEndToEnd::cleanupTestCase()
{
    m_tester.reset();
    m_model.reset();
    m_sim.stop();
}

QVector<Row> TestSearchEndToEnd::rows() const
{
    QVector<Row> result;
    for (int i = 0; i < m_model->rowCount(); ++i) {
        const QModelIndex index = m_model->index(i);
        result << Row{index.data(ControllerListModel::ControllerName).toString(),
                      index.data(ControllerListModel::ControllerModel).toString(),
                      index.data(ControllerListModel::SerialNumber).toString(),
                      index.data(ControllerListModel::IpAddress).toString()};
    }
    return result;
}

bool TestSearchEndToEnd::search()
{
    if (m_model->loading())
        return false;
    m_model->update();
    if (!m_model->loading())
        return false;
    // 5 s after the last accepted row; the silent web server's check (3 s) ends well inside.
    QElapsedTimer clock;
    clock.start();
    while (m_model->loading() && clock.elapsed() < 20000)
        QTest::qWait(50);
    return !m_model->loading();
}

void TestSearchEndToEnd::searchListsAnsweringControllers()
{
    const int mark = m_sim.logSize();
    QVERIFY(search());

    const QVector<Row> listed = rows();
    QCOMPARE(listed.size(), kListed.size()); // no duplicates among them either
    QCOMPARE(keys(listed), keys(kListed));

    const QVector<QJsonObject> log = m_sim.log();
    const QString display = qEnvironmentVariable("CS_DISPLAY_IP");
    // The same request, repeated within the search's first seconds.
    const auto requests = entries(log, QStringLiteral("udp-in"), mark, QStringLiteral("message"),
                                  QStringLiteral("discovery"));
    QCOMPARE(requests.size(), int(kCopies));
    for (const QJsonObject &request : requests) {
        QCOMPARE(request.value(QLatin1String("src")).toString(),
                 display + QStringLiteral(":26487"));
        QCOMPARE(request.value(QLatin1String("dst")).toString(),
                 qEnvironmentVariable("CS_BROADCAST_IP") + QStringLiteral(":26487"));
        QCOMPARE(request.value(QLatin1String("hex")).toString(),
                 QStringLiteral("c58259100a0000000000"));
    }

    // A check for every sender whose replies decoded, none for those that did not or never
    // came. An answering sender is asked once, for all its replies to all the copies; one that
    // failed may be asked again by a later copy's reply, at most once a copy: the 404 one by
    // most copies, the hung one by those after its 3 s ran out.
    const auto checks = entries(log, QStringLiteral("http"), mark);
    QMap<QString, int> checksPerController;
    for (const QJsonObject &check : checks) {
        QCOMPARE(check.value(QLatin1String("method")).toString(), QStringLiteral("HEAD"));
        QCOMPARE(check.value(QLatin1String("path")).toString(), ControllerAddress::CheckPath);
        const QString dst = check.value(QLatin1String("dst")).toString();
        ++checksPerController[dst.section(QLatin1Char(':'), 0, 0)];
    }
    const int failing = checksPerController.take(QStringLiteral("10.77.1.5"));
    const int hung = checksPerController.take(QStringLiteral("10.77.1.6"));
    QVERIFY2(failing >= 2 && failing <= int(kCopies), qPrintable(QString::number(failing)));
    QVERIFY2(hung >= 1 && hung <= 2, qPrintable(QString::number(hung)));
    const QMap<QString, int> expected{
        {QStringLiteral("10.77.1.1"), 1},  {QStringLiteral("10.77.1.2"), 1},
        {QStringLiteral("10.77.1.8"), 1},  {QStringLiteral("10.77.1.10"), 1},
        {QStringLiteral("10.77.1.11"), 1}, {QStringLiteral("10.77.1.12"), 1},
    };
    // 10.77.1.7 refuses: it never logs a request.
    const auto shown = [](const QMap<QString, int> &map) {
        QStringList out;
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            out << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
        return out.join(QLatin1Char(' '));
    };
    QVERIFY2(checksPerController == expected, qPrintable(shown(checksPerController)));

    // The display's own request came back to its port and was dropped.
    QCoreApplication::processEvents();
    QVERIFY(!m_ownWebServer.hasPendingConnections());
}

// The cable is pulled while replies and checks are on their way, and plugged back in: the
// interrupted search still lists every answering controller once, from its later copies of the
// request (the slow one's reply to the first was lost), and ends by itself; the next one lists
// them all again, with nothing left over from the interrupted one.
void TestSearchEndToEnd::linkAwayAndBackDuringASearch()
{
    const QString link = qEnvironmentVariable("CS_DISPLAY_IF");
    // The link going down takes the test network's default route with it (limited broadcasts
    // need one); it comes back with the link, as a DHCP client would bring it back.
    auto setLink = [&link](const char *state) {
        const bool up = qstrcmp(state, "up") == 0;
        return runHere({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), link,
                        QLatin1String(state)}) &&
               (!up ||
                runHere({QStringLiteral("ip"), QStringLiteral("route"), QStringLiteral("replace"),
                         QStringLiteral("default"), QStringLiteral("dev"), link}));
    };
    auto running = [&link] {
        return QNetworkInterface::interfaceFromName(link).flags().testFlag(
            QNetworkInterface::IsRunning);
    };
    auto restoreLink = qScopeGuard([&] { setLink("up"); });

    m_model->update();
    QVERIFY(m_model->loading());
    QVERIFY(setLink("down")); // the slow reply and the hung server's check are still to come
    QTRY_VERIFY_WITH_TIMEOUT(!running(), 5000);
    QTest::qWait(1000); // a second without the link is what this tests
    QVERIFY(setLink("up"));
    QTRY_VERIFY_WITH_TIMEOUT(running(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_model->loading(), 20000);
    QCOMPARE(rows().size(), kListed.size());
    QCOMPARE(keys(rows()), keys(kListed));

    QVERIFY(search());
    const QVector<Row> listed = rows();
    QCOMPARE(listed.size(), kListed.size());
    QCOMPARE(keys(listed), keys(kListed));
}

// A check that answers while the main thread is busy leaves its confirmation queued there; when
// a new search has begun by the time it is delivered, it belongs to no search and is dropped.
void TestSearchEndToEnd::answerOfAnEarlierSearchIsNotListed()
{
    const QString slow = QStringLiteral("10.77.1.12"); // its web server answers after 600 ms
    const auto slowAnswers = [this, &slow](int from) {
        return entries(m_sim.log(), QStringLiteral("http"), from, QStringLiteral("dst"),
                       slow + QStringLiteral(":80"));
    };
    const int mark = m_sim.logSize();
    m_model->update();
    // The first controller listed: the replies are in, the slow one's check is on its way.
    QTRY_VERIFY_WITH_TIMEOUT(m_model->rowCount() > 0, 5000);
    QVERIFY(slowAnswers(mark).isEmpty());

    // The main thread stays busy until the slow answer has been sent, and a moment for it to
    // cross to the checker and back into this thread's queue. That moment stays a fixed wait:
    // what is tested needs this thread's event loop stopped, and the checker's thread shows
    // nothing outside of it until the confirmation is delivered here.
    QElapsedTimer clock;
    clock.start();
    while (slowAnswers(mark).isEmpty() && clock.elapsed() < 5000)
        QThread::msleep(20);
    QThread::msleep(200);

    m_model->setLoading(false);
    m_model->update();
    QCoreApplication::processEvents(); // the old search's confirmation is delivered here
    // The new search's own check of that controller takes 600 ms: it cannot be listed yet.
    for (const Row &row : rows())
        QVERIFY2(row.value(3) != slow, qPrintable(row.join(QLatin1Char('|'))));

    QTRY_VERIFY_WITH_TIMEOUT(!m_model->loading(), 20000);
    QCOMPARE(keys(rows()), keys(kListed));
}

void TestSearchEndToEnd::secondAddressGetsItsOwnBroadcast()
{
    QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("add"),
                     QStringLiteral("10.78.0.1/16"), QStringLiteral("dev"),
                     QStringLiteral("csdisp0")}));
    const int mark = m_sim.logSize();
    const bool searched = search();
    QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("del"),
                     QStringLiteral("10.78.0.1/16"), QStringLiteral("dev"),
                     QStringLiteral("csdisp0")}));
    QVERIFY(searched);

    const auto requests = entries(m_sim.log(), QStringLiteral("udp-in"), mark,
                                  QStringLiteral("message"), QStringLiteral("discovery"));
    QStringList destinations;
    for (const QJsonObject &request : requests)
        destinations << request.value(QLatin1String("dst")).toString();
    destinations.sort();
    QStringList expected;
    for (const char *destination : {"10.77.255.255:26487", "10.78.255.255:26487"}) {
        for (std::size_t copy = 0; copy < kCopies; ++copy)
            expected << QLatin1String(destination);
    }
    QCOMPARE(destinations, expected);

    // The controller on the second subnet is found only through that subnet's broadcast.
    QCOMPARE(keys(rows()), keys(kListed + QVector<Row>{kSecondSubnet}));
}

void TestSearchEndToEnd::interfaceFilter_data()
{
    QTest::addColumn<QString>("setup"); // how the test interface is left
    QTest::addColumn<bool>("reached");

    QTest::newRow("up and running") << QStringLiteral("running") << true;
    QTest::newRow("peer down: no carrier") << QStringLiteral("no-carrier") << false;
    QTest::newRow("administratively down") << QStringLiteral("down") << false;
}

void TestSearchEndToEnd::interfaceFilter()
{
    QFETCH(QString, setup);
    QFETCH(bool, reached);

    const QString a = QStringLiteral("csx0");
    const QString b = QStringLiteral("csx1");
    QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("add"), a,
                     QStringLiteral("type"), QStringLiteral("veth"), QStringLiteral("peer"),
                     QStringLiteral("name"), b}));
    auto removeLink = qScopeGuard([&] {
        runHere({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("del"), a});
    });
    disableIPv6(a);
    disableIPv6(b);
    QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("add"),
                     QStringLiteral("10.79.0.1/16"), QStringLiteral("dev"), a}));
    if (setup != QLatin1String("down"))
        QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), a,
                         QStringLiteral("up")}));
    if (setup == QLatin1String("running"))
        QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("link"), QStringLiteral("set"), b,
                         QStringLiteral("up")}));

    // The carrier of a veth end comes up a moment after the link is set up.
    QTRY_COMPARE_WITH_TIMEOUT(
        QNetworkInterface::interfaceFromName(a).flags().testFlag(QNetworkInterface::IsRunning),
        setup == "running", 5000);

    // The namespace's UDP counter sees every datagram handed to the kernel, even one a link
    // without carrier then drops; the device counter sees what really left on the test link.
    // A search that still runs is not started again: the last row's must be over.
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->search()->isRunning(), 15000);
    const qint64 udpBefore = udpDatagramsSent();
    const qint64 before = transmitted(a);
    m_controller->discoverControllers();
    // csdisp0 always gets its copies; the whole schedule is out once they are.
    const qint64 copies = qint64(kCopies);
    QTRY_COMPARE_WITH_TIMEOUT(udpDatagramsSent() - udpBefore, reached ? 2 * copies : copies, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(transmitted(a) - before, reached ? copies : 0, 5000);
}

void TestSearchEndToEnd::blinkSendsOneDatagram_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<bool>("matches");

    QTest::newRow("listed controller's address") << QStringLiteral("00:1A:2B:3C:4D:01") << true;
    QTest::newRow("empty text") << QString() << false;
    QTest::newRow("non-Latin-1 characters") << QStringLiteral("00-1A-\u20ac") << false;
}

void TestSearchEndToEnd::blinkSendsOneDatagram()
{
    QFETCH(QString, mac);
    QFETCH(bool, matches);

    // A second address on the interface must not double the datagram.
    QVERIFY(runHere({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("add"),
                     QStringLiteral("10.78.0.1/16"), QStringLiteral("dev"),
                     QStringLiteral("csdisp0")}));
    auto removeAddress = qScopeGuard([] {
        runHere({QStringLiteral("ip"), QStringLiteral("addr"), QStringLiteral("del"),
                 QStringLiteral("10.78.0.1/16"), QStringLiteral("dev"), QStringLiteral("csdisp0")});
    });

    const int mark = m_sim.logSize();
    m_controller->blinkController(mac);
    QTRY_VERIFY_WITH_TIMEOUT(!entries(m_sim.log(), QStringLiteral("udp-in"), mark).isEmpty(), 5000);

    const QVector<QJsonObject> log = m_sim.log();
    const auto received = entries(log, QStringLiteral("udp-in"), mark);
    QCOMPARE(received.size(), 1);
    QCOMPARE(received[0].value(QLatin1String("dst")).toString(),
             QStringLiteral("255.255.255.255:26487"));
    QCOMPARE(received[0].value(QLatin1String("message")).toString(), QStringLiteral("blink"));

    const QByteArray bytes =
        QByteArray::fromHex(received[0].value(QLatin1String("hex")).toString().toLatin1());
    QByteArray expectedBody = QByteArrayLiteral("\x00\x05") + mac.toLatin1() + '\x05';
    QCOMPARE(bytes.size(), expectedBody.size() + 8);
    QCOMPARE(bytes.mid(8), expectedBody);
    QCOMPARE(bytes, ZelCRC::blinkRequest(mac.toLatin1(), 5));

    QTRY_COMPARE_WITH_TIMEOUT(entries(m_sim.log(), QStringLiteral("blink"), mark).size(),
                              matches ? 1 : 0, 5000);
}

QTEST_GUILESS_MAIN(TestSearchEndToEnd)
#include "tst_search_e2e.moc"
