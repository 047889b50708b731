// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecode.h"

#include <algorithm>

quint32 positionDivisor = 2;

namespace {

constexpr quint8 kFieldMark = 0x80;
constexpr quint8 kDropFrameMark = 0x40;

// Drop-frame timecode leaves out frame numbers 00 and 01 in nine of every ten
// minutes: 2 frames a minute, 18 every ten minutes, 108 an hour.
constexpr qint64 kDroppedPerMinute = 2;
constexpr qint64 kDroppedPerTenMinutes = 18;
constexpr qint64 kDroppedPerHour = 108;

constexpr quint32 kFiftyHzFrameLimit = 4320000; // 48 h at 25 frames a second
constexpr quint32 kSixtyHzFrameLimit = 5178816; // 48 h at 107892 frames an hour

// Timecode counts at most 30 frames a second; faster standards are shown as
// half-rate timecode.
constexpr double kHighestTimecodeRate = 30.0;

QString ZeroTimecode()
{
    return QStringLiteral("00:00:00:00");
}

// One wire byte from a tens and a units digit character.
char BcdPair(char tens, char units)
{
    const unsigned value =
        static_cast<unsigned>(tens - '0') * 16u + static_cast<unsigned>(units - '0');
    return static_cast<char>(value & 0xFFu);
}

} // namespace

void TimecodeEntry::Reset()
{
    *this = TimecodeEntry{};
}

bool ParseTimecodeText(const QString &text, TimecodeEntry &entry)
{
    entry.Reset();
    qsizetype end = text.size();
    if (end < 1) {
        return false;
    }
    if (end > 2 && text.at(end - 2) == u'.') {
        if (text.at(end - 1) == u'2') {
            entry.chars[TimecodeEntry::kFieldIndex] = '2';
        }
        end -= 2;
    }
    int slot = TimecodeEntry::kDigitCount;
    for (qsizetype i = end - 1; i >= 0 && slot > 0; --i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            entry.chars[--slot] = static_cast<char>(c.unicode());
        }
    }
    return true;
}

void PackTimecodeBcd(TimecodeEntry &entry, bool fiftyHz)
{
    char *d = entry.chars;
    const bool secondField = d[TimecodeEntry::kFieldIndex] == '2';
    // The wire bytes overwrite the digits they are made from, so build them first.
    const char wire[TimecodeEntry::kWireLength] = {BcdPair(d[6], d[7]), BcdPair(d[4], d[5]),
                                                   BcdPair(d[2], d[3]), BcdPair(d[0], d[1]), 0};
    std::copy(std::begin(wire), std::end(wire), d);
    if (secondField) {
        const int markedByte = fiftyHz ? 3 : 1;
        d[markedByte] = static_cast<char>(static_cast<quint8>(d[markedByte]) | kFieldMark);
    }
}

RecorderTime ReadRecorderTime(const std::array<quint8, 4> &time, bool fiftyHz)
{
    const auto bcd = [](quint8 byte, quint8 tensMask) {
        return ((byte >> 4) & tensMask) * 10 + (byte & 0x0F);
    };
    RecorderTime read;
    read.frames = bcd(time[0], 0x03);
    read.seconds = bcd(time[1], 0x07);
    read.minutes = bcd(time[2], 0x07);
    read.hours = bcd(time[3], 0x07);
    read.dropFrame = (time[0] & kDropFrameMark) != 0;
    read.field = (time[fiftyHz ? 3 : 1] & kFieldMark) ? 2 : 1;
    return read;
}

qint64 TimecodeToFrames(const RecorderTime &time, double fps, bool dropFrame)
{
    if (!(fps > 0.0))
        return 0;
    if (fps > kHighestTimecodeRate)
        return 2 * TimecodeToFrames(time, fps / 2, dropFrame);
    const qint64 rate = static_cast<qint64>(fps);
    const qint64 minutes = qint64(time.hours) * 60 + time.minutes;
    qint64 frames = (minutes * 60 + time.seconds) * rate + time.frames;
    if (dropFrame)
        frames -= kDroppedPerMinute * (minutes - minutes / 10);
    return frames;
}

QString FramesToTimecode(qint64 frames, double fps, bool dropFrame, bool wrap24h)
{
    if (frames <= 0 || !(fps > 0.0)) {
        return ZeroTimecode();
    }
    if (fps > kHighestTimecodeRate) {
        return FramesToTimecode(frames / 2, fps / 2, dropFrame, false);
    }
    const qint64 rate = static_cast<qint64>(fps);
    if (rate < 1) {
        return ZeroTimecode();
    }
    qint64 rest = wrap24h ? frames % (rate * 86400) : frames;

    const qint64 perHour = rate * 3600 - (dropFrame ? kDroppedPerHour : 0);
    const qint64 hours = rest / perHour;
    rest %= perHour;

    const qint64 perTenMinutes = rate * 600 - (dropFrame ? kDroppedPerTenMinutes : 0);
    qint64 minutes = 10 * (rest / perTenMinutes);
    rest %= perTenMinutes;

    // Only the first minute of a ten-minute block is full length under drop frame.
    const qint64 perMinute = rate * 60;
    while (rest >= perMinute) {
        ++minutes;
        rest -= perMinute - (dropFrame ? kDroppedPerMinute : 0);
    }

    const qint64 seconds = rest / rate;
    rest %= rate;
    return QString::asprintf("%02lld:%02lld:%02lld:%02lld", static_cast<long long>(hours),
                             static_cast<long long>(minutes), static_cast<long long>(seconds),
                             static_cast<long long>(rest));
}

void FormatFramePosition(quint32 position, char *destination, std::size_t destinationSize,
                         bool withSeparators, double fps, quint32 divisor, bool dropFrame)
{
    if (destinationSize == 0) {
        return;
    }
    QString text =
        divisor == 0 ? ZeroTimecode() : FramesToTimecode(position / divisor, fps, dropFrame, false);
    if (!withSeparators) {
        text.remove(u':');
        text.remove(u';');
    }
    const QByteArray bytes = text.toLatin1();
    const std::size_t length =
        std::min(destinationSize - 1, static_cast<std::size_t>(bytes.size()));
    std::copy_n(bytes.constData(), length, destination);
    destination[length] = '\0';
}

quint32 TimecodeFrameLimit(bool fiftyHz)
{
    return fiftyHz ? kFiftyHzFrameLimit : kSixtyHzFrameLimit;
}
