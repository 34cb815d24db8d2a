#include "zelcrc.h"

#include <array>

namespace {

constexpr quint32 ReflectedPolynomial = 0xEDB88320u;

constexpr std::array<quint32, 256> makeTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1u) ? (ReflectedPolynomial ^ (c >> 1)) : (c >> 1);
        table[i] = c;
    }
    return table;
}

constexpr std::array<quint32, 256> Table = makeTable();
static_assert(Table[1] == 0x77073096u && Table[255] == 0x2D02EF8Du, "CRC-32 table");

} // namespace

namespace ZelCRC {

void crc32(const QByteArray &data, quint32 &value)
{
    quint32 c = 0xFFFFFFFFu;
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const auto *end = p + data.size();
    for (; p != end; ++p)
        c = Table[(*p ^ c) & 0xFFu] ^ (c >> 8);
    value = c ^ 0xFFFFFFFFu;
}

quint32 crc32(const QByteArray &data)
{
    quint32 value = 0;
    crc32(data, value);
    return value;
}

bool checkCrc32(const QByteArray &data, quint32 expected)
{
    return expected != 0 && data.size() > 2 && crc32(data) == expected;
}

} // namespace ZelCRC
