#pragma once

#include "wire/frame.h"
#include "wire/reply.h"

#include <QByteArray>

#include <initializer_list>

namespace xrsim {

// Small pieces shared by the command handlers.

// NAK for a command the recorder knows but will not carry out now, or whose
// data does not fit.
inline Frame refuse()
{
    return reply::nak(NakCode::Refused);
}

// Reply data written out byte by byte.
QByteArray bytesOf(std::initializer_list<int> values);
// A number 0-9999 from two BCD bytes, high byte first; -1 for a bad digit
// or missing bytes.
int bcdNumberAt(const Frame &frame, int at);
// A number 0-9999 as two BCD bytes, high byte first.
QByteArray bcdNumber(int number);
// A 32-bit big-endian number from four data bytes.
quint32 bigEndianAt(const Frame &frame, int at);
QByteArray bigEndian(quint32 value);
// The eight-byte name at a data offset, without its zero padding.
QByteArray nameAt(const Frame &frame, int at);

} // namespace xrsim
