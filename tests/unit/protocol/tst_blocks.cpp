#include "protocol/blocks.h"

#include <QtTest>

using NEBconfig::Blocks;

namespace {

QVariant bytes(const char *hexText)
{
    return QVariant(QByteArray::fromHex(hexText));
}

// Values must match in kind as well: QVariant's operator== would call the text "7" equal to
// the number 7.
QString describe(const Blocks &blocks)
{
    QList<int> keys = blocks.keys();
    std::sort(keys.begin(), keys.end());
    QStringList parts;
    for (int key : keys) {
        const QVariant &v = blocks.value(key);
        const QString value =
            v.userType() == QMetaType::QByteArray
                ? QStringLiteral("bytes ") + QString::fromLatin1(v.toByteArray().toHex(' '))
                : QStringLiteral("%1 %2").arg(QString::fromLatin1(v.typeName()), v.toString());
        parts << QStringLiteral("%1: %2").arg(key).arg(value);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

class TestBlocks : public QObject
{
    Q_OBJECT

private slots:
    void registeredBeforeMain();
    void parse_data();
    void parse();
    void survivesCopyThroughVariant();
};

void TestBlocks::registeredBeforeMain()
{
    // Looked up by name before anything in this process has asked for the id.
    const int byName = QMetaType::type("NEBconfig::Blocks");
    QVERIFY(byName != QMetaType::UnknownType);
    QCOMPARE(NEBconfig::blocksTypeId(), byName);
    QCOMPARE(qMetaTypeId<Blocks>(), byName);
    QCOMPARE(QMetaType::typeName(byName), "NEBconfig::Blocks");
    const QMetaType::TypeFlags flags = QMetaType::typeFlags(byName);
    for (QMetaType::TypeFlag flag : {QMetaType::NeedsConstruction, QMetaType::NeedsDestruction,
                                     QMetaType::MovableType, QMetaType::WasDeclaredAsMetaType})
        QVERIFY(flags.testFlag(flag));
}

void TestBlocks::parse_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<Blocks>("blocks");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("serialNumber");

    auto row = [](const char *title, const char *body, bool valid, const Blocks &blocks,
                  const char *name = "", const char *model = "", const char *serial = "") {
        QTest::newRow(title) << QByteArray::fromHex(body) << valid << blocks
                             << QString::fromUtf8(name) << QString::fromUtf8(model)
                             << QString::fromUtf8(serial);
    };

    row("name, model and serial number", "0003 6604 41424344 0601 07 0203 534e31", true,
        {{102, bytes("41424344")}, {6, 7}, {2, bytes("534e31")}}, "ABCD", "7", "SN1");
    row("repeated key: last wins", "0003 0203 414243 0202 5859", true, {{2, bytes("5859")}}, "", "",
        "XY");
    row("number above 2147483647 is 0", "0003 0604 ffffffff", true, {{6, 0}}, "", "0");
    row("0x80000000 is 0", "0003 0604 80000000", true, {{6, 0}}, "", "0");
    row("largest number kept", "0003 0604 7fffffff", true, {{6, 2147483647}}, "", "2147483647");
    row("big-endian", "0003 0602 0100", true, {{6, 256}}, "", "256");
    row("leading zero bytes do not count", "0003 0609 000000000000000102", true, {{6, 258}}, "",
        "258");
    row("five significant bytes are 0", "0003 0405 0100000000", true, {{4, 0}});
    row("keys 4 and 7 are numbers", "0003 0401 2a 0702 0001", true, {{4, 42}, {7, 1}});
    row("keys next to the numbers are bytes", "0003 0301 2a 0501 2a 0801 2a", true,
        {{3, bytes("2a")}, {5, bytes("2a")}, {8, bytes("2a")}});
    row("keys 0 and 255", "0003 0001 41 ff01 42", true, {{0, bytes("41")}, {255, bytes("42")}});
    row("zero byte ends the name", "0003 6605 4142004344", true, {{102, bytes("4142004344")}},
        "AB");
    row("name in UTF-8", "0003 6605 42c3bc726f", true, {{102, bytes("42c3bc726f")}}, "B\xc3\xbcro");
    row("zero length ends the table", "0003 6600 020141", true, {});
    row("type and one byte: empty table", "0003 66", true, {});
    row("key without its length byte", "0003 0203 414243 66", true, {{2, bytes("414243")}}, "", "",
        "ABC");
    row("cut-off value keeps the bytes present", "0003 0203 414243 6605 4142", true,
        {{2, bytes("414243")}, {102, bytes("4142")}}, "AB", "", "ABC");
    row("cut-off number", "0003 0604 0102", true, {{6, 258}}, "", "258");
    row("wrong message type", "0001 6601 41", false, {});
    row("wrong first type byte", "0103 6601 41", false, {});
    row("discovery request body", "0000 6601 41", false, {});
    row("two bytes", "0003", false, {});
    row("one byte", "00", false, {});
    row("empty", "", false, {});

    QByteArray longName(255, 'n');
    QTest::newRow("255-byte value")
        << QByteArray::fromHex("0003 66ff") + longName << true << Blocks{{102, longName}}
        << QString::fromLatin1(longName) << QString() << QString();
}

void TestBlocks::parse()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, valid);
    QFETCH(Blocks, blocks);
    QFETCH(QString, name);
    QFETCH(QString, model);
    QFETCH(QString, serialNumber);

    // The body sits in front of bytes that are not part of it, as a slice of a larger buffer
    // would: a parser that reads past the end picks them up and the comparison fails.
    const QByteArray buffer = body + QByteArray(300, 'Z');
    const QVariant result =
        NEBconfig::parseBlocks(QByteArray::fromRawData(buffer.constData(), body.size()));

    QCOMPARE(result.isValid(), valid);
    if (!valid)
        return;
    QCOMPARE(result.userType(), NEBconfig::blocksTypeId());
    QVERIFY(result.canConvert<Blocks>());
    const Blocks parsed = qvariant_cast<Blocks>(result);
    QCOMPARE(describe(parsed), describe(blocks));
    QCOMPARE(parsed.value(NEBconfig::NameKey).toString(), name);
    QCOMPARE(parsed.value(NEBconfig::ModelKey).toString(), model);
    QCOMPARE(parsed.value(NEBconfig::SerialNumberKey).toString(), serialNumber);
}

void TestBlocks::survivesCopyThroughVariant()
{
    // Queued signals and QML copy the table through the meta-type system by id.
    const QVariant result = NEBconfig::parseBlocks(QByteArray::fromHex("0003 6602 4142 0601 09"));
    QVariant copy(NEBconfig::blocksTypeId(), result.constData());
    const Blocks blocks = qvariant_cast<Blocks>(copy);
    QCOMPARE(blocks.value(NEBconfig::NameKey).toString(), QStringLiteral("AB"));
    QCOMPARE(blocks.value(NEBconfig::ModelKey).toInt(), 9);
}

QTEST_GUILESS_MAIN(TestBlocks)
#include "tst_blocks.moc"
