#include "requests.h"

#include "envelope.h"

namespace {

constexpr char DiscoveryRequestType = 0x00;
constexpr char BlinkRequestType = 0x05;

} // namespace

namespace ZelCRC {

QByteArray discoveryRequest()
{
    return packMessage(QByteArray("\x00", 1).append(DiscoveryRequestType));
}

QByteArray blinkRequest(const QByteArray &address, quint8 value)
{
    QByteArray body;
    body.reserve(address.size() + 3);
    body.append('\x00').append(BlinkRequestType).append(address).append(char(value));
    return packMessage(body);
}

} // namespace ZelCRC
