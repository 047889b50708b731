// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandwords.h"

#include "wirewords.h"

#include "protocol/commandcodes.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kHead = 2;        // CMD1, CMD2
constexpr int kNameBytes = 8;   // file names travel as eight bytes
constexpr int kTimeBytes = 4;   // BCD timecode, frames first
constexpr int kNumberBytes = 4; // a big-endian position

// What the data bytes of a command mean, for the commands whose data say
// more than their hex. `data` holds `count` bytes.
using Describe = QString (*)(const quint8 *data, int count);

QString StatusRange(const quint8 *data, int count)
{
    if (count < 1)
        return {};
    const int first = data[0] >> 4;
    const int bytes = data[0] & 0x0F;
    if (bytes == 0)
        return QStringLiteral("no status bytes");
    return QStringLiteral("status bytes %1–%2").arg(first).arg(first + bytes - 1);
}

QString TimeSource(const quint8 *data, int count)
{
    if (count < 1)
        return {};
    switch (data[0]) {
    case 0x03:
        return QStringLiteral("time code");
    case 0x04:
        return QStringLiteral("timer");
    default:
        return QStringLiteral("source %1").arg(HexBytes(data, 1));
    }
}

QString Timecode(const quint8 *data, int count)
{
    return count >= kTimeBytes ? BcdTimecodeWords(data) : QString();
}

QString FramePosition(const quint8 *data, int count)
{
    if (count < kNumberBytes)
        return {};
    quint32 position = 0;
    for (int i = 0; i < kNumberBytes; ++i)
        position = position << 8 | data[i];
    return QStringLiteral("frame %1").arg(position);
}

QString Speed(const quint8 *data, int count)
{
    if (count == 1)
        return QStringLiteral("speed %1").arg(data[0]);
    if (count >= 2)
        return QStringLiteral("speed %1").arg(data[0] << 8 | data[1]);
    return {};
}

QString Segment(const quint8 *data, int count)
{
    return count >= 2 ? QStringLiteral("segment %1").arg(SegmentNumberAt(data)) : QString();
}

// The play command carries three bytes of its own before the number.
QString PlayedSegment(const quint8 *data, int count)
{
    return count >= 5 ? Segment(data + 3, 2) : QString();
}

QString SegmentPair(const quint8 *data, int count)
{
    if (count < 4)
        return {};
    const int next = SegmentNumberAt(data + 2);
    return QStringLiteral("segment %1 then %2")
        .arg(SegmentNumberAt(data))
        .arg(next == 0 ? QStringLiteral("none") : QString::number(next));
}

QString FileName(const quint8 *data, int count)
{
    return count > 0 ? QuotedName(data, std::min(count, kNameBytes)) : QString();
}

QString Text(const quint8 *data, int count)
{
    return count > 0 ? QuotedName(data, count) : QString();
}

// File information: a first byte choosing what is asked, then a name.
QString FileQuery(const quint8 *data, int count)
{
    if (count < 1)
        return {};
    QString what;
    switch (data[0]) {
    case 0x01:
        what = QStringLiteral("format");
        break;
    case 0x02:
        what = QStringLiteral("extent");
        break;
    case 0x40:
        what = QStringLiteral("drop frame");
        break;
    default:
        what = QStringLiteral("query %1").arg(HexBytes(data, 1));
    }
    return count > 1 ? what + QLatin1Char(' ') + FileName(data + 1, count - 1) : what;
}

QString SetupPage(const quint8 *data, int count)
{
    if (count < 1)
        return {};
    const QString page = QStringLiteral("page %1").arg(data[0]);
    return count > 1 ? page + QStringLiteral(", %1 bytes").arg(count - 1) : page;
}

QString PanelKey(const quint8 *data, int count)
{
    return count >= 1 ? QStringLiteral("key %1").arg(HexBytes(data, 1)) : QString();
}

QString Side(const quint8 *data, int count)
{
    if (count < 1)
        return {};
    return data[0] == 0 ? QStringLiteral("recorder") : QStringLiteral("player");
}

QString TimerMode(const quint8 *data, int count)
{
    if (count < 1)
        return {};
    return data[0] == 1 ? QStringLiteral("timer") : QStringLiteral("time code");
}

QString BusAndId(const quint8 *data, int count)
{
    return count >= 2 ? QStringLiteral("bus %1, id %2").arg(data[0]).arg(data[1]) : QString();
}

struct Description
{
    CommandCode code;
    Describe describe;
};

const Description kDescriptions[] = {
    {Cmd::StatusSense, StatusRange},    {Cmd::CurrentTimeSense, TimeSource},
    {Cmd::CueUpWithData, Timecode},     {Cmd::TimecodePreset, Timecode},
    {Cmd::CueUpToFrame, FramePosition}, {Cmd::ShuttleForward, Speed},
    {Cmd::ShuttleReverse, Speed},       {Cmd::CreateSegment, Segment},
    {Cmd::SegmentInfoSense, Segment},   {Cmd::SegmentSourceSense, Segment},
    {Cmd::DeleteSegment, Segment},      {Cmd::PlaySegment, PlayedSegment},
    {Cmd::PlaylistStart, Segment},      {Cmd::EventPairPreset, SegmentPair},
    {Cmd::CreateFile, FileName},        {Cmd::RenameFile, FileName},
    {Cmd::LoadClip, FileName},          {Cmd::DeleteFile, FileName},
    {Cmd::FileNameQuery, FileName},     {Cmd::SetDiskName, Text},
    {Cmd::FileInfoSense, FileQuery},    {Cmd::FileAudioSense, FileQuery},
    {Cmd::SetupPageRead, SetupPage},    {Cmd::SetupPageWrite, SetupPage},
    {Cmd::SetupPageApply, SetupPage},   {Cmd::FrontPanelKey, PanelKey},
    {Cmd::RecorderPlayerSelect, Side},  {Cmd::TimerModeSelect, TimerMode},
    {Cmd::DiskFormat, BusAndId},        {Cmd::DiskInquiry, BusAndId},
    {Cmd::DiskModeSense, BusAndId},
};

Describe DescriptionFor(const CommandCode &code)
{
    const auto found = std::find_if(
        std::begin(kDescriptions), std::end(kDescriptions), [&code](const Description &entry) {
            return entry.code.group == code.group && entry.code.command == code.command;
        });
    return found != std::end(kDescriptions) ? found->describe : nullptr;
}

} // namespace

QString CommandWords(const quint8 *frame, int length)
{
    if (length < kHead)
        return QStringLiteral("incomplete frame");
    const CommandCode code = FindCommand(frame[0] >> 4, frame[1]);
    QString words = code.name ? QLatin1String(code.name)
                              : QStringLiteral("unknown (group %1, code %2)")
                                    .arg(code.group, 0, 16)
                                    .arg(HexBytes(frame + 1, 1));
    const int count = DataBytesIn(frame, length);
    if (count == 0)
        return words;
    const Describe describe = DescriptionFor(code);
    const QString data = describe ? describe(frame + kHead, count) : QString();
    return words + QLatin1Char(' ') + (data.isEmpty() ? HexBytes(frame + kHead, count) : data);
}

CommandGroup GroupOf(quint8 cmd1)
{
    switch (cmd1 >> 4) {
    case 0x0:
        return CommandGroup::System;
    case 0x2:
        return CommandGroup::Transport;
    case 0x3:
        return CommandGroup::Disk;
    case 0x4:
        return CommandGroup::Preset;
    case 0x6:
        return CommandGroup::Sense;
    case 0xA:
        return CommandGroup::File;
    default:
        return CommandGroup::Other;
    }
}

QString GroupName(CommandGroup group)
{
    switch (group) {
    case CommandGroup::System:
        return QStringLiteral("System");
    case CommandGroup::Transport:
        return QStringLiteral("Transport");
    case CommandGroup::Disk:
        return QStringLiteral("Side, rename and disks");
    case CommandGroup::Preset:
        return QStringLiteral("Presets");
    case CommandGroup::Sense:
        return QStringLiteral("Senses");
    case CommandGroup::File:
        return QStringLiteral("Files");
    case CommandGroup::Other:
        return QStringLiteral("Other");
    }
    return {};
}
