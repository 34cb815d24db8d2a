// libFuzzer target over the whole receive path of a datagram: envelope check, block table,
// and the three texts the display shows. Besides crashes and sanitizer findings, every
// property the display relies on is checked and a violation aborts.
#include "protocol/blocks.h"
#include "protocol/envelope.h"
#include "protocol/zelcrc.h"

#include <QtEndian>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

bool isNumberKey(int key)
{
    return key == 4 || key == 6 || key == 7;
}

void decodeBody(const QByteArray &body)
{
    const QVariant result = NEBconfig::parseBlocks(body);
    const bool isReply = body.size() > 2 && body.at(0) == '\x00' && body.at(1) == '\x03';
    require(result.isValid() == isReply, "valid result exactly for a discovery reply body");
    if (!result.isValid())
        return;
    require(result.userType() == NEBconfig::blocksTypeId(), "result holds NEBconfig::Blocks");
    require(result.canConvert<NEBconfig::Blocks>(), "result converts to NEBconfig::Blocks");

    const NEBconfig::Blocks blocks = qvariant_cast<NEBconfig::Blocks>(result);
    require(blocks.size() <= (body.size() - 2) / 3, "no more blocks than the body can carry");
    for (auto it = blocks.cbegin(); it != blocks.cend(); ++it) {
        require(it.key() >= 0 && it.key() <= 255, "key is one byte");
        if (isNumberKey(it.key())) {
            require(it.value().userType() == QMetaType::Int, "number keys hold an int");
            require(it.value().toInt() >= 0, "numbers are never negative");
        } else {
            require(it.value().userType() == QMetaType::QByteArray, "other keys hold bytes");
            const QByteArray value = it.value().toByteArray();
            require(!value.isEmpty() && value.size() <= 255, "value of 1 to 255 bytes");
            require(body.indexOf(value, 2) >= 2, "value bytes come from the body");
        }
    }

    const QString name = blocks.value(NEBconfig::NameKey).toString();
    const QString model = blocks.value(NEBconfig::ModelKey).toString();
    const QString serialNumber = blocks.value(NEBconfig::SerialNumberKey).toString();
    require(name.size() <= 255 && serialNumber.size() <= 255, "texts no longer than a block");
    require(model.size() <= 10, "model is a decimal int");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 65536)
        return 0;
    // No copy: the sanitizers see the exact extent of the input.
    const QByteArray datagram =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));

    // The input as a received datagram.
    QByteArray body("sentinel");
    if (ZelCRC::unpackMessage(datagram, body)) {
        const quint32 length = qFromLittleEndian<quint32>(data + 4);
        require(size > 8 && length >= 8 && length <= size, "accepted length within the datagram");
        require(body == datagram.mid(8, int(length) - 8), "body is the declared part");
        require(ZelCRC::packMessage(body) == datagram.left(int(length)),
                "repacks to the same bytes");
        decodeBody(body);
    } else {
        require(body == "sentinel", "rejected datagram leaves the body alone");
    }

    // Random bytes seldom carry a right checksum, so the input also goes in as a body, directly
    // and through a round trip of the envelope.
    decodeBody(datagram);
    const QByteArray message = ZelCRC::packMessage(datagram);
    QByteArray unpacked;
    const bool accepted = ZelCRC::unpackMessage(message, unpacked);
    const bool expected = size > 0 && ZelCRC::crc32(message.mid(4)) != 0;
    require(accepted == expected, "a packed message unpacks unless empty or its checksum is 0");
    require(!accepted || unpacked == datagram, "round trip keeps the body");
    return 0;
}
