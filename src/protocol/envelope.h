#pragma once

#include "zelcrc.h"

// Every datagram of the protocol, request or reply, is
//   checksum (4 bytes LE) | length (4 bytes LE, body size + 8) | body
// where the checksum covers the length field and the body.
namespace ZelCRC {

QByteArray packMessage(const QByteArray &body);

// Checks a received datagram and hands out its body. False (body untouched) for anything that
// is not a whole, valid message: 8 bytes or fewer, a declared length below 8 or beyond the
// datagram, a checksum of 0 or one that does not match. Bytes past the declared length are
// ignored.
bool unpackMessage(const QByteArray &datagram, QByteArray &body);

} // namespace ZelCRC
