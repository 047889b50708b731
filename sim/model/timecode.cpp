// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/timecode.h"

#include <QRegularExpression>

namespace xrsim {

namespace {
// 30 frame drop-frame timecode: 17982 frames in ten minutes, 1798 in each
// of the nine minutes that drop two frame numbers.
constexpr qint64 kDropTenMinutes = 17982;
constexpr qint64 kDropMinute = 1798;
constexpr quint8 kDropFrameBit = 0x40;
constexpr quint8 kFieldBit = 0x80;

bool UsesDropFrame(int fps, bool dropFrame)
{
    return dropFrame && fps == 30;
}
} // namespace

quint8 ToBcd(int value)
{
    return quint8((value / 10 % 10) << 4 | value % 10);
}

int FromBcd(quint8 byte)
{
    const int tens = byte >> 4;
    const int units = byte & 0x0F;
    return tens > 9 || units > 9 ? -1 : tens * 10 + units;
}

Timecode Timecode::FromCount(qint64 count, int fps, bool dropFrame)
{
    qint64 label = qMax<qint64>(count, 0);
    if (UsesDropFrame(fps, dropFrame)) {
        const qint64 tens = label / kDropTenMinutes;
        const qint64 rest = label % kDropTenMinutes;
        label += 18 * tens + (rest < 2 ? 0 : 2 * ((rest - 2) / kDropMinute));
    }
    Timecode tc;
    tc.frames = int(label % fps);
    const qint64 totalSeconds = label / fps;
    tc.seconds = int(totalSeconds % 60);
    tc.minutes = int(totalSeconds / 60 % 60);
    tc.hours = int(totalSeconds / 3600);
    return tc;
}

qint64 Timecode::ToCount(int fps, bool dropFrame) const
{
    const qint64 totalMinutes = qint64(hours) * 60 + minutes;
    qint64 count = ((totalMinutes * 60) + seconds) * fps + frames;
    if (UsesDropFrame(fps, dropFrame))
        count -= 2 * (totalMinutes - totalMinutes / 10);
    return count;
}

bool Timecode::IsValid(int fps) const
{
    return hours >= 0 && minutes >= 0 && minutes < 60 && seconds >= 0 && seconds < 60 &&
           frames >= 0 && frames < fps;
}

bool Timecode::Parse(const QString &text, Timecode *out)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,3}):(\\d{2}):(\\d{2})[:;.](\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    out->hours = match.captured(1).toInt();
    out->minutes = match.captured(2).toInt();
    out->seconds = match.captured(3).toInt();
    out->frames = match.captured(4).toInt();
    return true;
}

QByteArray Timecode::Pack(bool dropFrame, bool secondField, bool fiftyHz) const
{
    QByteArray bytes(4, '\0');
    bytes[0] = char(ToBcd(frames) | (dropFrame ? kDropFrameBit : 0));
    bytes[1] = char(ToBcd(seconds) | (secondField && !fiftyHz ? kFieldBit : 0));
    bytes[2] = char(ToBcd(minutes));
    bytes[3] = char(ToBcd(hours % 100) | (secondField && fiftyHz ? kFieldBit : 0));
    return bytes;
}

bool Timecode::Unpack(const QByteArray &bytes, bool fiftyHz, Timecode *out, bool *secondField)
{
    if (bytes.size() < 4)
        return false;
    const auto at = [&bytes](int i) { return quint8(bytes.at(i)); };
    out->frames = FromBcd(at(0) & 0x3F);
    out->seconds = FromBcd(at(1) & 0x7F);
    out->minutes = FromBcd(at(2) & 0x7F);
    out->hours = FromBcd(fiftyHz ? at(3) & 0x7F : at(3));
    *secondField = ((fiftyHz ? at(3) : at(1)) & kFieldBit) != 0;
    return out->frames >= 0 && out->seconds >= 0 && out->minutes >= 0 && out->hours >= 0;
}

} // namespace xrsim
