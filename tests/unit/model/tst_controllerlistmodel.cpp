#include "controller/controllersearch.h"
#include "model/controllerlistmodel.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using ControllerData = ControllerListModel::ControllerData;

namespace {

ControllerData record(const QString &name, const QString &ip = QStringLiteral("10.0.0.5"))
{
    return {name, QStringLiteral("3"), QStringLiteral("SN-") + name, ip};
}

// Short enough to keep the suite quick, long enough that a busy machine does not end a search
// between two steps of a test.
constexpr int kTestInterval = 400;

} // namespace

class TestControllerListModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void updateClearsThenLoads();
    void updateWhileLoadingIsIgnored();
    void addControllerKeepsDistinctRows_data();
    void addControllerKeepsDistinctRows();
    void rowsOutsideSearchAreIgnored();
    void dataRejectsOtherRolesAndRows_data();
    void dataRejectsOtherRolesAndRows();
    void rolesAndChildren();

private:
    void startSearch();

    std::unique_ptr<ControllerSearch> m_search;
    std::unique_ptr<ControllerListModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    int m_discoveries = 0;
};

void TestControllerListModel::init()
{
    m_discoveries = 0;
    // Never the real broadcast: a unit test must not send anything on the machine's network.
    m_search = std::make_unique<ControllerSearch>([this] { ++m_discoveries; });
    m_search->setQuietMs(kTestInterval);
    m_model = std::make_unique<ControllerListModel>();
    m_tester = std::make_unique<QAbstractItemModelTester>(
        m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_model->setSearch(m_search.get());
}

void TestControllerListModel::cleanup()
{
    m_tester.reset();
    m_model.reset();
    m_search.reset();
}

void TestControllerListModel::startSearch()
{
    m_model->update();
    QVERIFY(m_model->loading());
}

void TestControllerListModel::updateClearsThenLoads()
{
    startSearch();
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        m_model->addController(record(name));
    QCOMPARE(m_model->count(), 3);
    QTRY_VERIFY(!m_model->loading());
    QCOMPARE(m_model->count(), 3); // the last search stays visible while idle

    // Both signals in one spy on a shared recorder, to see their order.
    QStringList events;
    connect(m_model.get(), &ControllerListModel::countChanged, this,
            [&](int count) { events << QStringLiteral("count %1").arg(count); });
    connect(m_model.get(), &ControllerListModel::loadingChanged, this,
            [&](bool loading) { events << QStringLiteral("loading %1").arg(loading); });

    m_model->update();
    QVERIFY(m_search->isRunning());
    QCOMPARE(events, QStringList({QStringLiteral("count 0"), QStringLiteral("loading 1")}));
    QCOMPARE(m_model->rowCount(), 0);

    QTRY_COMPARE(events.size(), 3);
    QCOMPARE(events.last(), QStringLiteral("loading 0"));
}

void TestControllerListModel::updateWhileLoadingIsIgnored()
{
    startSearch();
    m_model->addController(record(QStringLiteral("a")));
    QSignalSpy resetSpy(m_model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy loadingSpy(m_model.get(), &ControllerListModel::loadingChanged);
    const int sent = m_discoveries;

    m_model->update();

    QCOMPARE(resetSpy.size(), 0);
    QCOMPARE(loadingSpy.size(), 0);
    QCOMPARE(m_discoveries, sent);
    QCOMPARE(m_model->count(), 1);
}

void TestControllerListModel::addControllerKeepsDistinctRows_data()
{
    QTest::addColumn<QVector<ControllerData>>("records");
    QTest::addColumn<int>("rows");

    const ControllerData base{QStringLiteral("Boiler"), QStringLiteral("3"), QStringLiteral("SN1"),
                              QStringLiteral("10.0.0.5")};
    auto with = [base](int field, const QString &value) {
        ControllerData changed = base;
        QString *fields[] = {&changed.name, &changed.model, &changed.serialNumber,
                             &changed.ipAddress};
        *fields[field] = value;
        return changed;
    };

    QTest::newRow("identical twice") << QVector<ControllerData>{base, base} << 1;
    QTest::newRow("same address, other name")
        << QVector<ControllerData>{base, with(0, QStringLiteral("Roof"))} << 2;
    QTest::newRow("other model") << QVector<ControllerData>{base, with(1, QStringLiteral("4"))}
                                 << 2;
    QTest::newRow("other serial") << QVector<ControllerData>{base, with(2, QStringLiteral("SN2"))}
                                  << 2;
    QTest::newRow("other address")
        << QVector<ControllerData>{base, with(3, QStringLiteral("10.0.0.6"))} << 2;
    QTest::newRow("name differs only in case")
        << QVector<ControllerData>{base, with(0, QStringLiteral("boiler"))} << 2;
    QTest::newRow("duplicate after another row")
        << QVector<ControllerData>{base, with(3, QStringLiteral("10.0.0.6")), base} << 2;
}

void TestControllerListModel::addControllerKeepsDistinctRows()
{
    QFETCH(QVector<ControllerData>, records);
    QFETCH(int, rows);

    startSearch();
    QSignalSpy countSpy(m_model.get(), &ControllerListModel::countChanged);
    for (const ControllerData &r : records)
        m_model->addController(r);

    QCOMPARE(m_model->rowCount(), rows);
    QCOMPARE(countSpy.size(), rows);
    for (int i = 0; i < rows; ++i)
        QCOMPARE(countSpy.at(i).at(0).toInt(), i + 1);

    // Rows keep their order of acceptance and carry every field through its role.
    const QModelIndex first = m_model->index(0);
    QCOMPARE(first.data(ControllerListModel::ControllerName).toString(), records[0].name);
    QCOMPARE(first.data(ControllerListModel::ControllerModel).toString(), records[0].model);
    QCOMPARE(first.data(ControllerListModel::SerialNumber).toString(), records[0].serialNumber);
    QCOMPARE(first.data(ControllerListModel::IpAddress).toString(), records[0].ipAddress);
    if (rows > 1) {
        const QModelIndex second = m_model->index(1);
        QCOMPARE(second.data(ControllerListModel::ControllerName).toString(), records[1].name);
        QCOMPARE(second.data(ControllerListModel::IpAddress).toString(), records[1].ipAddress);
    }
}

void TestControllerListModel::rowsOutsideSearchAreIgnored()
{
    QSignalSpy countSpy(m_model.get(), &ControllerListModel::countChanged);
    m_model->addController(record(QStringLiteral("before any search")));
    QCOMPARE(m_model->count(), 0);

    startSearch();
    m_model->addController(record(QStringLiteral("a")));
    QTRY_VERIFY(!m_model->loading());
    m_model->addController(record(QStringLiteral("after the search")));
    QCOMPARE(m_model->count(), 1);

    // update() went through a reset (count 0), then one accepted row.
    QCOMPARE(countSpy.size(), 2);
    QCOMPARE(countSpy.last().at(0).toInt(), 1);
}

void TestControllerListModel::dataRejectsOtherRolesAndRows_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("role");

    QTest::newRow("user role 256") << 0 << int(Qt::UserRole);
    QTest::newRow("display role") << 0 << int(Qt::DisplayRole);
    QTest::newRow("role after the last") << 0 << int(ControllerListModel::IpAddress) + 1;
    QTest::newRow("row == count") << 2 << int(ControllerListModel::ControllerName);
    QTest::newRow("negative row") << -1 << int(ControllerListModel::ControllerName);
}

void TestControllerListModel::dataRejectsOtherRolesAndRows()
{
    QFETCH(int, row);
    QFETCH(int, role);

    // An index kept by a view from the previous search, past the rows of this one.
    startSearch();
    for (const QString &name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        m_model->addController(record(name));
    const QModelIndex stale = m_model->index(2);
    QVERIFY(stale.isValid());
    QTRY_VERIFY(!m_model->loading());
    startSearch();
    m_model->addController(record(QStringLiteral("a")));
    m_model->addController(record(QStringLiteral("b")));

    const QModelIndex index = row == 2 ? stale : m_model->index(row);
    QVERIFY(!m_model->data(index, role).isValid());
}

void TestControllerListModel::rolesAndChildren()
{
    const QHash<int, QByteArray> expected{
        {257, "cName"}, {258, "cModel"}, {259, "cSerialNumber"}, {260, "cIpAddress"}};
    QCOMPARE(m_model->roleNames(), expected);

    startSearch();
    m_model->addController(record(QStringLiteral("a")));
    QCOMPARE(m_model->rowCount(m_model->index(0)), 0);
    QCOMPARE(m_model->rowCount(), 1);
    QCOMPARE(m_model->property("count").toInt(), 1);
    QCOMPARE(m_model->data(m_model->index(0), 257).type(), QVariant::String);
}

QTEST_GUILESS_MAIN(TestControllerListModel)
#include "tst_controllerlistmodel.moc"
