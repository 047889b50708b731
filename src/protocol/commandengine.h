// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

class MessageMonitor;
struct CommandCode;

// The 9-pin frame: CMD1 (group in the high nibble, data count 0-15 in the low
// nibble), CMD2, the data bytes and a checksum, the low 8 bits of the sum of
// all preceding bytes.
constexpr int kFrameHeadSize = 2;
constexpr int kMaxFrameData = 15;
constexpr int kReplyFrameSize = kFrameHeadSize + 16;

// The receive record every reply is read into. Releasing it drops stale input,
// which is how the engine and the information exchange start clean.
constexpr qint16 kReplyRecord = 0;

// The reply to the last command: CMD1, CMD2, then 16 data bytes, the reply's
// checksum included at DATA[n]. Cleared at the start of every reception, so
// bytes beyond the reply read as zero. Valid until the next command.
extern std::array<quint8, kReplyFrameSize> ReplyFrame;

inline quint8 ReplyGroup()
{
    return ReplyFrame[0] >> 4;
}
inline quint8 ReplyDataCount()
{
    return ReplyFrame[0] & 0x0F;
}
inline quint8 ReplyCommand()
{
    return ReplyFrame[1];
}
inline quint8 ReplyData(int n)
{
    return ReplyFrame[kFrameHeadSize + n];
}

// Checksum over CMD1, CMD2 and as many data bytes as CMD1's low nibble gives.
quint8 FrameChecksum(const quint8 *frame);

// Reads the reply to `sent` from the current device's link into ReplyFrame:
// 0, or 2 when it did not arrive whole in time, or 3 when its checksum is
// wrong. A frame that cannot answer `sent` (commandcodes.h) is dropped, and
// shown as dropped on the monitor; the wait for the reply goes on within the
// link's timeout from the start of the call.
qint16 ReceiveReply(qint16 record, MessageMonitor *monitor, const CommandCode &sent);

// Sends one frame to the current device and, with expectReply, waits for its
// answer. Counts failures per link: after a success the fourth failure in a
// row marks the device disconnected (before any success, the first does).
qint16 Send9Pin(quint8 group, quint8 command, int count, const quint8 *data, bool expectReply);

// The manual path: the two command bytes as typed (CMD1 is not recomputed),
// the data and the checksum, both directions shown on the monitor. It leaves
// the failure counting alone.
qint16 SendRawCommand(const quint8 commandBytes[2], int count, const quint8 *data, bool expectReply,
                      MessageMonitor *monitor);

// Parses the manual command text: up to 17 hex bytes of one or two digits,
// separated by dots, stopping at the first field that is not a hex byte.
QByteArray ParseManualCommand(const QString &text);

// Parses the text and, with at least the two command bytes, sends it through
// the manual path. Returns false when there was nothing to send.
bool SendManualCommand(const QString &text, MessageMonitor *monitor);
