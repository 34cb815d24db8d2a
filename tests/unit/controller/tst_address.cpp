#include "controller/address.h"

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
    QTest::addColumn<QString>("expected");

    QTest::newRow("leading zeros are decimal") << "192.168.001.010" << "192.168.1.10";
    QTest::newRow("groups of zeros") << "010.000.000.007" << "10.0.0.7";
    QTest::newRow("port kept as typed") << "192.168.001.010:0080" << "192.168.1.10:0080";
    QTest::newRow("canonical text unchanged") << "10.0.0.255:80" << "10.0.0.255:80";
    QTest::newRow("unfinished address unchanged") << "10.0.00" << "10.0.00";
    QTest::newRow("colon without port unchanged") << "1.2.3.04:" << "1.2.3.04:";
    QTest::newRow("group above 255 unchanged") << "256.01.1.1" << "256.01.1.1";
    QTest::newRow("four-digit group unchanged") << "0010.1.1.1" << "0010.1.1.1";
    QTest::newRow("non-ASCII digits unchanged")
        << QString::fromUtf8("\xd9\xa1.2.3.4") << QString::fromUtf8("\xd9\xa1.2.3.4");
    QTest::newRow("empty") << "" << "";
}

void TestAddress::canonical()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(canonicalAddress(text), expected);
}

QTEST_APPLESS_MAIN(TestAddress)
#include "tst_address.moc"
