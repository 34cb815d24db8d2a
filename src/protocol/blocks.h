#pragma once

#include <QByteArray>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QVariant>

// The block table of a controller's discovery reply. The reply body is
//   message type 00 03 | blocks back to back: key (1 byte) | length (1 byte) | value
// Keys 4, 6 and 7 carry unsigned big-endian numbers, stored as int; all others raw bytes.
namespace NEBconfig {
Q_NAMESPACE

using Blocks = QHash<int, QVariant>;

// The blocks the display reads.
constexpr int NameKey = 102;
constexpr int ModelKey = 6;
constexpr int SerialNumberKey = 2;

// Invalid unless the body is a discovery reply; otherwise a Blocks value (possibly empty).
// A repeated key keeps its last value; a zero length or a block cut off by the end of the body
// ends the table, and a cut-off value keeps only the bytes that are present.
QVariant parseBlocks(const QByteArray &body);

// The meta-type id of "NEBconfig::Blocks", registering it on first use.
int blocksTypeId();

} // namespace NEBconfig

Q_DECLARE_METATYPE(NEBconfig::Blocks)
