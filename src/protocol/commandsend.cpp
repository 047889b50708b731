// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandsend.h"

#include "commandengine.h"

#include "devices/devicelists.h"
#include "link/linkstatus.h"

#include <algorithm>

// Without a recorder the engine sends nothing and reports success, leaving
// the previous command's reply in place. That reply must not be read as the
// answer to this command, so the buffer is emptied: every check on it then
// finds no answer of any kind.
qint16 SendCommand(CommandCode code, const quint8 *data, int count)
{
    if (!CurrentDevice) {
        ReplyFrame.fill(0);
        return kStatusOk;
    }
    const qint16 status = Send9Pin(code.group, code.command, count, data, true);
    if (status != kStatusOk)
        return status;
    return ReplyIsNak() ? kStatusNak : kStatusOk;
}

qint16 SendCommandManual(CommandCode code, const quint8 *data, int count)
{
    const quint8 commandBytes[2] = {static_cast<quint8>(code.group * 16 + (count & 0x0F)),
                                    code.command};
    return SendRawCommand(commandBytes, count, data, true, nullptr);
}

bool ReplyIsNak()
{
    return ReplyGroup() == kReturnGroup && ReplyCommand() == kNakCommand;
}

bool ReplyIsSenseReturn()
{
    return ReplyGroup() == kSenseReturnGroup;
}

qint16 CheckSenseReply(int needed)
{
    if (!ReplyIsSenseReturn())
        return kStatusWrongReply;
    return ReplyDataCount() < needed ? kStatusShortReply : kStatusOk;
}

quint32 ReplyBigEndian32(int first)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | ReplyData(first + i);
    return value;
}

QString ReplyText(int first, int maxLength)
{
    const int end = std::min<int>(ReplyDataCount(), first + maxLength);
    QString text;
    for (int i = first; i < end && ReplyData(i) != 0; ++i)
        text += QChar(ReplyData(i));
    return text;
}
