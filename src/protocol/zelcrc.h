#pragma once

#include <QByteArray>
#include <QObject>

// CRC-32 as used on the controllers' UDP protocol: the reflected 0x04C11DB7 polynomial with
// initial value and final XOR 0xFFFFFFFF (the same as Ethernet and zlib). Pure functions over a
// constant table, safe to call from any thread.
namespace ZelCRC {
Q_NAMESPACE

void crc32(const QByteArray &data, quint32 &value);
quint32 crc32(const QByteArray &data);

// True only for a non-zero expected value over more than 2 bytes of data that match it: a
// stored checksum of 0 is what an uninitialised sender puts on the wire, so it never passes.
bool checkCrc32(const QByteArray &data, quint32 expected);

} // namespace ZelCRC
