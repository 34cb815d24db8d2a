#include "protocol/envelope.h"
#include "protocol/requests.h"
#include "protocol/zelcrc.h"

#include <QMetaObject>
#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>
#include <zlib.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

quint32 zlibCrc(const QByteArray &data)
{
    return quint32(
        ::crc32(0L, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// Four bytes that, appended to `prefix`, make its CRC-32 equal `target`. Works the register
// backwards from the wanted state to find the table entries, then picks the bytes that select
// them. Lets a test build a message whose real checksum is 0.
QByteArray forceCrc(const QByteArray &prefix, quint32 target)
{
    quint32 table[256];
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    quint8 index[4];
    quint32 state = target ^ 0xFFFFFFFFu;
    for (int k = 3; k >= 0; --k) {
        for (quint32 i = 0; i < 256; ++i) {
            if ((table[i] >> 24) == (state >> 24)) {
                index[k] = quint8(i);
                break;
            }
        }
        state = (state ^ table[index[k]]) << 8;
    }
    quint32 c = zlibCrc(prefix) ^ 0xFFFFFFFFu;
    QByteArray tail;
    for (int k = 0; k < 4; ++k) {
        const quint8 b = quint8((c ^ index[k]) & 0xFF);
        tail.append(char(b));
        c = table[(b ^ c) & 0xFF] ^ (c >> 8);
    }
    return tail;
}

QByteArray randomBytes(QRandomGenerator &rng, int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (char &b : data)
        b = char(rng.bounded(256));
    return data;
}

// A message whose length field and body are `covered`, with the given stored checksum.
QByteArray rawMessage(quint32 checksum, const QByteArray &covered)
{
    return le32(checksum) + covered;
}

} // namespace

class TestEnvelope : public QObject
{
    Q_OBJECT

private slots:
    void crc32_data();
    void crc32();
    void checkCrc32_data();
    void checkCrc32();
    void crc32MatchesZlib();
    void packMessage_data();
    void packMessage();
    void unpackRejects_data();
    void unpackRejects();
    void unpackAccepts_data();
    void unpackAccepts();
    void roundTrip();
    void singleBitErrorsAreDetected_data();
    void singleBitErrorsAreDetected();
    void requests_data();
    void requests();
    void namespacesPublishNothing();
};

void TestEnvelope::crc32_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("check value of 1 to 9") << QByteArray("123456789") << 0xCBF43926u;
    QTest::newRow("empty data") << QByteArray() << 0u;
    QTest::newRow("one zero byte") << hex("00") << 0xD202EF8Du;
    QTest::newRow("length and body of the discovery request") << hex("0a0000000000") << 0x105982C5u;
}

void TestEnvelope::crc32()
{
    QFETCH(QByteArray, data);
    QFETCH(quint32, expected);
    QCOMPARE(ZelCRC::crc32(data), expected);
    quint32 out = 0x12345678u;
    ZelCRC::crc32(data, out);
    QCOMPARE(out, expected);
}

void TestEnvelope::checkCrc32_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint32>("expected");
    QTest::addColumn<bool>("passes");
    const QByteArray digits("123456789");
    QTest::newRow("matching") << digits << 0xCBF43926u << true;
    QTest::newRow("one off") << digits << 0xCBF43927u << false;
    QTest::newRow("three bytes, matching") << hex("010203") << zlibCrc(hex("010203")) << true;
    QTest::newRow("two bytes, matching") << hex("0102") << zlibCrc(hex("0102")) << false;
    QTest::newRow("empty data, expected 0") << QByteArray() << 0u << false;
    const QByteArray prefix = hex("1000000001020304");
    const QByteArray zeroCrc = prefix + forceCrc(prefix, 0);
    QCOMPARE(zlibCrc(zeroCrc), 0u);
    QTest::newRow("real checksum 0, expected 0") << zeroCrc << 0u << false;
}

void TestEnvelope::checkCrc32()
{
    QFETCH(QByteArray, data);
    QFETCH(quint32, expected);
    QFETCH(bool, passes);
    QCOMPARE(ZelCRC::checkCrc32(data, expected), passes);
}

void TestEnvelope::crc32MatchesZlib()
{
    QRandomGenerator rng(26487);
    for (int size = 0; size <= 1500; ++size) {
        const QByteArray data = randomBytes(rng, size);
        QCOMPARE(ZelCRC::crc32(data), zlibCrc(data));
    }
}

void TestEnvelope::packMessage_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty body") << QByteArray() << le32(zlibCrc(hex("08000000"))) + hex("08000000");
    QTest::newRow("body 00 00") << hex("0000") << hex("c58259100a0000000000");
    QTest::newRow("body ABC") << QByteArray("ABC")
                              << le32(zlibCrc(hex("0b000000") + "ABC")) + hex("0b000000") + "ABC";
}

void TestEnvelope::packMessage()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    QCOMPARE(ZelCRC::packMessage(body).toHex(' '), expected.toHex(' '));
}

void TestEnvelope::unpackRejects_data()
{
    QTest::addColumn<QByteArray>("datagram");

    // Where a rule other than the checksum must reject, the stored checksum is made to match
    // the bytes that follow it, so a check that only looks at the checksum would accept.
    auto withGoodCrc = [](const QByteArray &covered) {
        return rawMessage(zlibCrc(covered), covered);
    };

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("4 bytes") << hex("01020304");
    QTest::newRow("8 bytes with a good checksum") << ZelCRC::packMessage(QByteArray());
    QTest::newRow("declared length 0") << withGoodCrc(hex("00000000") + "ABCD");
    QTest::newRow("declared length 4") << withGoodCrc(hex("04000000") + "ABCD");
    QTest::newRow("declared length 7") << withGoodCrc(hex("07000000") + "ABCD");
    QTest::newRow("declared length one past the datagram") << withGoodCrc(hex("0d000000") + "ABCD");
    QTest::newRow("declared length 0xFFFFFFFF") << withGoodCrc(hex("ffffffff") + "ABCD");
    QTest::newRow("declared length 0x80000000") << withGoodCrc(hex("00000080") + "ABCD");

    QByteArray wrong = ZelCRC::packMessage("ABCD");
    wrong[0] = char(wrong[0] ^ 0x01);
    QTest::newRow("wrong checksum") << wrong;
    QTest::newRow("checksum 0 over data whose checksum is not 0")
        << rawMessage(0, hex("0c000000") + "ABCD");
    const QByteArray prefix = hex("0e000000") + QByteArray("\x00\x03", 2);
    const QByteArray covered = prefix + forceCrc(prefix, 0);
    QCOMPARE(zlibCrc(covered), 0u);
    QTest::newRow("checksum 0 over data whose checksum is 0") << rawMessage(0, covered);
}

void TestEnvelope::unpackRejects()
{
    QFETCH(QByteArray, datagram);
    QByteArray body("untouched");
    QVERIFY(!ZelCRC::unpackMessage(datagram, body));
    QCOMPARE(body, QByteArray("untouched"));
}

void TestEnvelope::unpackAccepts_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("discovery request") << hex("c58259100a0000000000") << hex("0000");
    QTest::newRow("extra bytes after the declared length")
        << ZelCRC::packMessage("ABCD") + "trailing junk" << QByteArray("ABCD");
    QTest::newRow("empty body followed by one extra byte")
        << ZelCRC::packMessage(QByteArray()) + "x" << QByteArray();
}

void TestEnvelope::unpackAccepts()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QByteArray, body);
    QByteArray out("previous");
    QVERIFY(ZelCRC::unpackMessage(datagram, out));
    QCOMPARE(out.toHex(' '), body.toHex(' '));
}

void TestEnvelope::roundTrip()
{
    // From one byte up: a message with an empty body is 8 bytes, which is never accepted.
    QRandomGenerator rng(8);
    for (int size = 1; size <= 1500; ++size) {
        const QByteArray body = randomBytes(rng, size);
        const QByteArray message = ZelCRC::packMessage(body);
        QCOMPARE(message.size(), size + 8);
        QCOMPARE(qFromLittleEndian<quint32>(message.constData() + 4), quint32(size + 8));
        QCOMPARE(qFromLittleEndian<quint32>(message.constData()), zlibCrc(message.mid(4)));
        QByteArray out;
        QVERIFY2(ZelCRC::unpackMessage(message, out), qPrintable(QString::number(size)));
        QCOMPARE(out, body);
    }
}

void TestEnvelope::singleBitErrorsAreDetected_data()
{
    QTest::addColumn<int>("bodySize");
    for (int size : {1, 2, 60, 255, 1400})
        QTest::addRow("body of %d bytes", size) << size;
}

void TestEnvelope::singleBitErrorsAreDetected()
{
    QFETCH(int, bodySize);
    QRandomGenerator rng(quint32(bodySize) + 1);
    const QByteArray message = ZelCRC::packMessage(randomBytes(rng, bodySize));
    for (int byte = 0; byte < message.size(); ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray corrupt = message;
            corrupt[byte] = char(corrupt[byte] ^ (1 << bit));
            QByteArray out;
            if (ZelCRC::unpackMessage(corrupt, out))
                QFAIL(qPrintable(
                    QStringLiteral("bit %1 of byte %2 went unnoticed").arg(bit).arg(byte)));
        }
    }
}

void TestEnvelope::requests_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("discovery") << ZelCRC::discoveryRequest() << hex("0000");
    QTest::newRow("blink, 17-character address") << ZelCRC::blinkRequest("00:1A:2b:3C:4d:5E", 5)
                                                 << hex("0005") + "00:1A:2b:3C:4d:5E" + hex("05");
    QTest::newRow("blink, empty address") << ZelCRC::blinkRequest(QByteArray(), 5) << hex("000505");
    QTest::newRow("blink, other value and Latin-1 byte")
        << ZelCRC::blinkRequest("a\xE9?", 0xFF) << hex("0005") + "a\xE9?" + hex("ff");
}

void TestEnvelope::requests()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, body);
    QCOMPARE(message.size(), body.size() + 8);
    QCOMPARE(qFromLittleEndian<quint32>(message.constData() + 4), quint32(message.size()));
    QCOMPARE(message.mid(8).toHex(' '), body.toHex(' '));
    QCOMPARE(qFromLittleEndian<quint32>(message.constData()), zlibCrc(message.mid(4)));
}

void TestEnvelope::namespacesPublishNothing()
{
    const QMetaObject &meta = ZelCRC::staticMetaObject;
    QCOMPARE(meta.className(), "ZelCRC");
    QCOMPARE(meta.enumeratorCount(), 0);
    QCOMPARE(meta.propertyCount(), 0);
    QCOMPARE(meta.methodCount(), 0);
    QCOMPARE(meta.classInfoCount(), 0);
}

QTEST_GUILESS_MAIN(TestEnvelope)
#include "tst_envelope.moc"
