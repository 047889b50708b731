// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

// Command groups of the first frame byte's high nibble.
namespace group {
constexpr quint8 kSystem = 0x0;
constexpr quint8 kReturn = 0x1;
constexpr quint8 kTransport = 0x2;
constexpr quint8 kDisk = 0x3;
constexpr quint8 kPreset = 0x4;
constexpr quint8 kSenseRequest = 0x6;
constexpr quint8 kSenseReturn = 0x7;
constexpr quint8 kFile = 0xA;
} // namespace group

// The reason byte of a NAK. The first three are the 9-pin protocol's own;
// Refused is this recorder's answer to a command it knows but cannot carry
// out in its present state (no such file, disk busy, local control...).
enum class NakCode : quint8 {
    UnknownCommand = 0x01,
    ChecksumError = 0x04,
    Refused = 0x08,
    Timeout = 0x80,
};

namespace reply {
// 0x10 0x01: the command was taken.
Frame Ack();
// 0x11 0x12 <code>: the command was not taken.
Frame Nak(NakCode code);
// A sense return (group 7) echoing the request's command code.
Frame Sense(quint8 code, const QByteArray &data);
} // namespace reply

} // namespace xrsim
