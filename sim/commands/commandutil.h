// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"
#include "wire/reply.h"

#include <QByteArray>

#include <initializer_list>

namespace xrsim {

// Small pieces shared by the command handlers.

// NAK for a command the recorder knows but will not carry out now, or whose
// data does not fit.
inline Frame Refuse()
{
    return reply::Nak(NakCode::Refused);
}

// Reply data written out byte by byte.
QByteArray BytesOf(std::initializer_list<int> values);
// A number 0-9999 from two BCD bytes, high byte first; -1 for a bad digit
// or missing bytes.
int BcdNumberAt(const Frame &frame, int at);
// A number 0-9999 as two BCD bytes, high byte first.
QByteArray BcdNumber(int number);
// A 32-bit big-endian number from four data bytes.
quint32 BigEndianAt(const Frame &frame, int at);
QByteArray BigEndian(quint32 value);
// The eight-byte name at a data offset, without its zero padding.
QByteArray NameAt(const Frame &frame, int at);

} // namespace xrsim
