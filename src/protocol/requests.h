#pragma once

#include <QByteArray>

// The two requests the display sends to controllers, complete with their envelope.
namespace ZelCRC {

// Asks every controller on the network to answer with a discovery reply. Always the same bytes.
QByteArray discoveryRequest();

// Asks the controller whose Ethernet hardware address text is `address` to blink. The text
// travels unchanged, without length or terminator, followed by the value byte.
QByteArray blinkRequest(const QByteArray &address, quint8 value);

} // namespace ZelCRC
