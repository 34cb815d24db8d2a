#include "envelope.h"

#include <QtEndian>

namespace {

constexpr int HeaderSize = 8;

} // namespace

namespace ZelCRC {

QByteArray packMessage(const QByteArray &body)
{
    QByteArray message(HeaderSize + body.size(), Qt::Uninitialized);
    uchar *p = reinterpret_cast<uchar *>(message.data());
    qToLittleEndian<quint32>(quint32(message.size()), p + 4);
    memcpy(p + HeaderSize, body.constData(), size_t(body.size()));
    const auto covered = QByteArray::fromRawData(message.constData() + 4, message.size() - 4);
    qToLittleEndian<quint32>(crc32(covered), p);
    return message;
}

bool unpackMessage(const QByteArray &datagram, QByteArray &body)
{
    if (datagram.size() <= HeaderSize)
        return false;
    const auto *p = reinterpret_cast<const uchar *>(datagram.constData());
    const quint32 checksum = qFromLittleEndian<quint32>(p);
    const quint32 length = qFromLittleEndian<quint32>(p + 4);
    // The length field is untrusted: it only ever selects bytes that are really there.
    if (length < quint32(HeaderSize) || length > quint32(datagram.size()))
        return false;
    const int size = int(length);
    // Checked in place, without copying; the body is only copied out once it is known good.
    const auto covered = QByteArray::fromRawData(datagram.constData() + 4, size - 4);
    if (!checkCrc32(covered, checksum))
        return false;
    body = datagram.mid(HeaderSize, size - HeaderSize);
    return true;
}

} // namespace ZelCRC
