#include "blocks.h"

#include <limits>

namespace {

constexpr uchar ReplyTypeHigh = 0x00;
constexpr uchar ReplyTypeLow = 0x03;
constexpr int BlocksOffset = 2;

bool isNumberKey(int key)
{
    return key == 4 || key == NEBconfig::ModelKey || key == 7;
}

// Unsigned big-endian, any number of bytes; anything that does not fit a signed 32-bit int
// is 0, as the controllers' own tools read it.
int toNumber(const uchar *p, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | p[i];
        if (value > quint64(std::numeric_limits<qint32>::max()))
            return 0;
    }
    return int(value);
}

// Registered before main() so that queued connections and QML see the type from the start.
// Living in the same translation unit as parseBlocks keeps the linker from dropping it.
[[maybe_unused]] const int blocksTypeIdAtLoad = NEBconfig::blocksTypeId();

} // namespace

namespace NEBconfig {

int blocksTypeId()
{
    return qMetaTypeId<Blocks>();
}

QVariant parseBlocks(const QByteArray &body)
{
    const int size = body.size();
    if (size <= BlocksOffset)
        return {};
    const auto *p = reinterpret_cast<const uchar *>(body.constData());
    if (p[0] != ReplyTypeHigh || p[1] != ReplyTypeLow)
        return {};

    Blocks blocks;
    int pos = BlocksOffset;
    while (size - pos >= 2) {
        const int key = p[pos];
        const int length = p[pos + 1];
        pos += 2;
        // Never beyond the body, whatever the length byte claims.
        const int present = qMin(length, size - pos);
        if (present <= 0)
            break;
        if (isNumberKey(key))
            blocks.insert(key, QVariant(toNumber(p + pos, present)));
        else
            blocks.insert(key, QVariant(QByteArray(body.constData() + pos, present)));
        pos += present;
    }
    return QVariant::fromValue(blocks);
}

} // namespace NEBconfig
