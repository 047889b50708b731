// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandcodes.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>

// Statuses the command functions add to those of the links and the engine
// (link/linkstatus.h). The engine reports only whether a well-formed reply
// arrived; these say what the recorder answered.
constexpr qint16 kStatusNak = 1;        // the recorder refused the command
constexpr qint16 kStatusWrongReply = 4; // a reply, but not the kind the command asks for
constexpr qint16 kStatusShortReply = 5; // a reply of the right kind with too few data bytes

// Sends one frame with the given code and data through the command engine and
// waits for the answer. Returns the engine's status, or kStatusNak when the
// recorder answered with a NAK. The answer stays in ReplyFrame. Without a
// current device nothing is sent, 0 is returned and ReplyFrame is emptied, so
// that no command takes the previous command's answer for its own.
qint16 SendCommand(CommandCode code, const quint8 *data = nullptr, int count = 0);

template <std::size_t N>
qint16 SendCommand(CommandCode code, const std::array<quint8, N> &data)
{
    static_assert(N > 0 && N <= 15, "a 9-pin frame carries 1 to 15 data bytes");
    return SendCommand(code, data.data(), static_cast<int>(N));
}

// The same frame through the engine's manual path: no failure counting, and
// the status says only whether the frame went out (the playlist export sends
// its chain this way).
qint16 SendCommandManual(CommandCode code, const quint8 *data, int count);

// What the last reply in ReplyFrame is.
bool ReplyIsNak();
bool ReplyIsSenseReturn(); // group 7, the answer to a sense request

// 0 when the last reply is a sense return announcing at least `needed` data
// bytes; kStatusWrongReply for a reply of another group, kStatusShortReply
// for one that announces fewer. Commands read a reply only after this check,
// so nothing is ever taken from the reply's checksum or from the zeros after it.
qint16 CheckSenseReply(int needed);

// Data bytes first..first+3 of the last reply as a big-endian number.
quint32 ReplyBigEndian32(int first);

// Text from the last reply's data bytes, starting at `first`: at most
// `maxLength` characters, ending at the first zero byte or at the last data
// byte the reply announced, whichever comes first.
QString ReplyText(int first, int maxLength);
