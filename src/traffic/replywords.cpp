// SPDX-License-Identifier: GPL-3.0-or-later
#include "replywords.h"

#include "wirewords.h"

#include "protocol/commandcodes.h"
#include "protocol/recorderstate.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kHead = 2;
constexpr int kTimeBytes = 4;
constexpr int kNameBytes = 8;

// The reason bits of a 9-pin NAK.
struct NakBit
{
    quint8 mask;
    const char *name;
};

const NakBit kNakBits[] = {
    {0x01, "unknown command"}, {0x04, "checksum error"}, {0x10, "parity error"},
    {0x20, "buffer overrun"},  {0x40, "framing error"},  {0x80, "timeout"},
};

// The status bits the program reads, named as the panel shows them.
struct NamedStatusBit
{
    StatusBit bit;
    const char *name;
};

const NamedStatusBit kStatusNames[] = {
    {{0, 0x01}, "local"},
    {{0, 0x60}, "display changed"},
    {kStatusPlaying, "playing"},
    {{1, 0x02}, "recording"},
    {{1, 0x04}, "fast forward"},
    {{1, 0x08}, "rewind"},
    {{1, 0x20}, "stopped"},
    {kStatusCueUpComplete, "cue-up complete"},
    {{2, 0x02}, "still"},
    {{2, 0x20}, "shuttle"},
    {kStatusEditOn, "edit on"},
    {kStatusFullEeOn, "full E-E on"},
    {kStatusLtcOn, "LTC on"},
    {kStatusPlaylistChanged, "playlist changed"},
    {kStatusEventChanged, "event changed"},
};

struct TimeSourceName
{
    quint8 code;
    const char *name;
};

const TimeSourceName kTimeSources[] = {
    {0x00, "timer 1"}, {0x01, "timer 2"},       {0x04, "LTC"},
    {0x06, "VITC"},    {0x14, "corrected LTC"}, {0x16, "held VITC"},
};

bool Is(const quint8 *frame, const CommandCode &code)
{
    return (frame[0] >> 4) == code.group && frame[1] == code.command;
}

QString TimeReply(quint8 code, const quint8 *data, int count)
{
    const auto source =
        std::find_if(std::begin(kTimeSources), std::end(kTimeSources),
                     [code](const TimeSourceName &entry) { return entry.code == code; });
    const QString name =
        source != std::end(kTimeSources) ? QLatin1String(source->name) : QStringLiteral("time");
    return count >= kTimeBytes ? name + QLatin1Char(' ') + BcdTimecodeWords(data) : name;
}

QString BigEndian(const quint8 *data)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | data[i];
    return QString::number(value);
}

// A sense return, read by the request it answers.
QString SenseReply(const quint8 *sent, int sentLength, quint8 code, const quint8 *data, int count)
{
    if (sentLength >= 3 && Is(sent, Cmd::StatusSense) && code == Cmd::StatusSense.command) {
        const int first = sentLength > 3 ? sent[kHead] >> 4 : 0;
        return QStringLiteral("status: ") + StatusWords(first, data, count);
    }
    if (Is(sent, Cmd::CurrentTimeSense))
        return TimeReply(code, data, count);
    if (Is(sent, Cmd::TimerModeSense) && count >= 1)
        return data[0] == 1 ? QStringLiteral("timer mode: timer")
                            : QStringLiteral("timer mode: time code");
    if (Is(sent, Cmd::SegmentInfoSense) && count >= 8)
        return QStringLiteral("in %1, out %2").arg(BigEndian(data), BigEndian(data + 4));
    if (Is(sent, Cmd::CurrentEventSense) && count >= 2)
        return QStringLiteral("segment %1").arg(SegmentNumberAt(data));
    if ((Is(sent, Cmd::CurrentFileSense) || Is(sent, Cmd::SegmentSourceSense)) && count > 0)
        return QuotedName(data, std::min(count, kNameBytes));
    if ((Is(sent, Cmd::DiskNameSense) || Is(sent, Cmd::VersionSense)) && count > 0)
        return QuotedName(data, count);
    return count > 0 ? HexBytes(data, count) : QStringLiteral("no data");
}

// The file list and name replies carry a name in no fixed group.
QString FileReply(const quint8 *data, int count)
{
    if (count >= 1 && data[0] == 0x94)
        return QStringLiteral("no more files");
    return count > 0 ? QuotedName(data, std::min(count, kNameBytes)) : QStringLiteral("no data");
}

} // namespace

QString NakReasons(quint8 reasons)
{
    QStringList names;
    for (const NakBit &bit : kNakBits) {
        if (reasons & bit.mask)
            names << QLatin1String(bit.name);
    }
    for (int bit = 0; bit < 8; ++bit) {
        const quint8 mask = static_cast<quint8>(1 << bit);
        const bool named = std::any_of(std::begin(kNakBits), std::end(kNakBits),
                                       [mask](const NakBit &nak) { return nak.mask == mask; });
        if ((reasons & mask) && !named)
            names << QStringLiteral("bit %1").arg(bit);
    }
    return names.isEmpty() ? QStringLiteral("no reason given") : names.join(QStringLiteral(", "));
}

QString StatusWords(int first, const quint8 *bytes, int count)
{
    QStringList names;
    for (const NamedStatusBit &named : kStatusNames) {
        const int at = named.bit.byte - first;
        if (at >= 0 && at < count && (bytes[at] & named.bit.mask))
            names << QLatin1String(named.name);
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

QString ReplyWords(const quint8 *sent, int sentLength, const quint8 *reply, int replyLength)
{
    if (replyLength < kHead)
        return replyLength > 0 ? QStringLiteral("incomplete: ") + HexBytes(reply, replyLength)
                               : QString();
    const quint8 group = reply[0] >> 4;
    const int count = DataBytesIn(reply, replyLength);
    const quint8 *data = reply + kHead;
    if (group == kReturnGroup && reply[1] == kAckCommand)
        return QStringLiteral("ACK");
    if (group == kReturnGroup && reply[1] == kNakCommand)
        return QStringLiteral("NAK: ") +
               (count >= 1 ? NakReasons(data[0]) : QStringLiteral("no reason given"));
    if (group == kReturnGroup && sentLength >= kHead && Is(sent, Cmd::DeviceTypeRequest) &&
        count >= 2)
        return QStringLiteral("device type %1 %2")
            .arg(HexBytes(data, 2),
                 (data[0] & 0x01) ? QStringLiteral("(50 Hz)") : QStringLiteral("(60 Hz)"));
    if (sentLength >= kHead && (sent[0] >> 4) == Cmd::FileListFirst.group)
        return FileReply(data, count);
    if (group == kSenseReturnGroup && sentLength >= kHead)
        return SenseReply(sent, sentLength, reply[1], data, count);
    return count > 0 ? HexBytes(data, count) : QStringLiteral("no data");
}

QString OutcomeWords(ExchangeOutcome outcome)
{
    switch (outcome) {
    case ExchangeOutcome::Reply:
        return QStringLiteral("reply");
    case ExchangeOutcome::BadChecksum:
        return QStringLiteral("checksum error");
    case ExchangeOutcome::Timeout:
        return QStringLiteral("timeout");
    case ExchangeOutcome::SendFailed:
        return QStringLiteral("send failed");
    case ExchangeOutcome::NotSent:
        return QStringLiteral("not sent: disconnected");
    case ExchangeOutcome::NoReplyAwaited:
        return QStringLiteral("no reply awaited");
    case ExchangeOutcome::Dropped:
        return QStringLiteral("dropped stray");
    }
    return {};
}
