#include "controller/controller.h"
#include "model/controllerlistmodel.h"
#include "searchtestnet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace SearchTestNet;

namespace {

constexpr int kReplies = 10000;
constexpr int kFloodSeconds = 2;
// The board has 512 MB in all; the aim is 50 MB at most above idle, asserted with room for a
// noisy machine. A check without a bound costs far more under this flood.
constexpr qint64 kGrowthLimitKb = 100 * 1024;

} // namespace

class TestSearchFlood : public QObject
{
    Q_OBJECT

private slots:
    void floodIsCheckedOncePerReplyWithinBoundedMemory();
};

void TestSearchFlood::floodIsCheckedOncePerReplyWithinBoundedMemory()
{
    const QString refusal = refusalReason();
    if (!refusal.isEmpty())
        QFAIL(qPrintable(QStringLiteral("refusing to broadcast: ") + refusal));

    QJsonArray controllers;
    const QStringList ips =
        qEnvironmentVariable("CS_LAN_IPS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QVERIFY(ips.size() >= 200);
    for (const QString &ip : ips)
        controllers.append(QJsonObject{{QStringLiteral("ip"), ip},
                                       {QStringLiteral("name"), QStringLiteral("Flood")},
                                       {QStringLiteral("model"), 3}});
    Simulator sim;
    QVERIFY2(sim.start(QJsonDocument(controllers).toJson(),
                       {QStringLiteral("--flood"), QString::number(kReplies),
                        QStringLiteral("--flood-seconds"), QString::number(kFloodSeconds)}),
             qPrintable(sim.errorOutput()));

    QTemporaryDir dir;
    Controller controller(dir.filePath(QStringLiteral("last_selected_controller")),
                          dir.filePath(QStringLiteral("controllerselect.ini")));
    ControllerListModel *model = ControllerListModel::instance();
    model->setDiscovery([&controller] { controller.discoverControllers(); });
    QTest::qWait(500);

    RssSampler rss;
    LatencyProbe latency;
    const qint64 idle = residentKb();
    rss.start();
    latency.start();
    model->update();

    // Every reply is confirmed here, so the rows tell how far the checks have got.
    QTRY_COMPARE_WITH_TIMEOUT(model->count(), kReplies, 45000);
    const qint64 worstLatency = latency.stop();
    rss.stop();
    const qint64 growth = rss.peakKb() - idle;
    qInfo("idle %lld kB, peak +%lld kB, worst event-loop latency %lld ms", idle, growth,
          worstLatency);

    QVERIFY2(growth < kGrowthLimitKb, qPrintable(QString::number(growth)));
    // The main thread kept serving events: no stall of the kind thousands of thread starts cause.
    QVERIFY2(worstLatency < 1000, qPrintable(QString::number(worstLatency)));

    // One check per reply, none repeated, none left out.
    const QVector<QJsonObject> log = sim.log();
    QCOMPARE(entries(log, QStringLiteral("udp-out")).size(), kReplies);
    QCOMPARE(entries(log, QStringLiteral("http")).size(), kReplies);
    QSet<QString> serials;
    for (int i = 0; i < model->rowCount(); ++i)
        serials.insert(model->index(i).data(ControllerListModel::SerialNumber).toString());
    QCOMPARE(serials.size(), kReplies);
}

QTEST_GUILESS_MAIN(TestSearchFlood)
#include "tst_search_flood.moc"
