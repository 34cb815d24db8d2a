#include "controller/controlleraddress.h"

#include <QtTest>

class TestAddress : public QObject
{
    Q_OBJECT

private slots:
    void canonical_data();
    void canonical();
};

void TestAddress::canonical_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: no address, the text comes back unchanged

    QTest::newRow("leading zeros are decimal") << "192.168.001.010" << "192.168.1.10";
    QTest::newRow("groups of zeros") << "010.000.000.007" << "10.0.0.7";
    QTest::newRow("port in plain decimal") << "192.168.001.010:0080" << "192.168.1.10:80";
    QTest::newRow("canonical text unchanged") << "10.0.0.255:80" << "10.0.0.255:80";
    QTest::newRow("highest port") << "10.0.0.1:65535" << "10.0.0.1:65535";
    QTest::newRow("port 0") << "10.0.0.1:0" << "";
    QTest::newRow("port 65536") << "10.0.0.1:65536" << "";
    QTest::newRow("six-digit port") << "10.0.0.1:000080" << "";
    QTest::newRow("unfinished address") << "10.0.00" << "";
    QTest::newRow("colon without port") << "1.2.3.04:" << "";
    QTest::newRow("group above 255") << "256.01.1.1" << "";
    QTest::newRow("four-digit group") << "0010.1.1.1" << "";
    QTest::newRow("non-ASCII digits") << QString::fromUtf8("\xd9\xa1.2.3.4") << "";
    QTest::newRow("empty") << "" << "";
}

void TestAddress::canonical()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ControllerAddress::canonical(text), expected.isEmpty() ? text : expected);
    QCOMPARE(ControllerAddress::parse(text).isValid(), !expected.isEmpty());
}

QTEST_APPLESS_MAIN(TestAddress)
#include "tst_address.moc"
