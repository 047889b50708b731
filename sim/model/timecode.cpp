#include "model/timecode.h"

#include <QRegularExpression>

namespace xrsim {

namespace {
// 30 frame drop-frame timecode: 17982 frames in ten minutes, 1798 in each
// of the nine minutes that drop two frame numbers.
constexpr qint64 DropTenMinutes = 17982;
constexpr qint64 DropMinute = 1798;
constexpr quint8 DropFrameBit = 0x40;
constexpr quint8 FieldBit = 0x80;

bool usesDropFrame(int fps, bool dropFrame)
{
    return dropFrame && fps == 30;
}
} // namespace

quint8 toBcd(int value)
{
    return quint8((value / 10 % 10) << 4 | value % 10);
}

int fromBcd(quint8 byte)
{
    const int tens = byte >> 4;
    const int units = byte & 0x0F;
    return tens > 9 || units > 9 ? -1 : tens * 10 + units;
}

Timecode Timecode::fromCount(qint64 count, int fps, bool dropFrame)
{
    qint64 label = qMax<qint64>(count, 0);
    if (usesDropFrame(fps, dropFrame)) {
        const qint64 tens = label / DropTenMinutes;
        const qint64 rest = label % DropTenMinutes;
        label += 18 * tens + (rest < 2 ? 0 : 2 * ((rest - 2) / DropMinute));
    }
    Timecode tc;
    tc.frames = int(label % fps);
    const qint64 totalSeconds = label / fps;
    tc.seconds = int(totalSeconds % 60);
    tc.minutes = int(totalSeconds / 60 % 60);
    tc.hours = int(totalSeconds / 3600);
    return tc;
}

qint64 Timecode::toCount(int fps, bool dropFrame) const
{
    const qint64 totalMinutes = qint64(hours) * 60 + minutes;
    qint64 count = ((totalMinutes * 60) + seconds) * fps + frames;
    if (usesDropFrame(fps, dropFrame))
        count -= 2 * (totalMinutes - totalMinutes / 10);
    return count;
}

bool Timecode::isValid(int fps) const
{
    return hours >= 0 && minutes >= 0 && minutes < 60 && seconds >= 0 && seconds < 60 &&
           frames >= 0 && frames < fps;
}

bool Timecode::parse(const QString &text, Timecode *out)
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

QByteArray Timecode::pack(bool dropFrame, bool secondField, bool fiftyHz) const
{
    QByteArray bytes(4, '\0');
    bytes[0] = char(toBcd(frames) | (dropFrame ? DropFrameBit : 0));
    bytes[1] = char(toBcd(seconds) | (secondField && !fiftyHz ? FieldBit : 0));
    bytes[2] = char(toBcd(minutes));
    bytes[3] = char(toBcd(hours % 100) | (secondField && fiftyHz ? FieldBit : 0));
    return bytes;
}

bool Timecode::unpack(const QByteArray &bytes, bool fiftyHz, Timecode *out, bool *secondField)
{
    if (bytes.size() < 4)
        return false;
    const auto at = [&bytes](int i) { return quint8(bytes.at(i)); };
    out->frames = fromBcd(at(0) & 0x3F);
    out->seconds = fromBcd(at(1) & 0x7F);
    out->minutes = fromBcd(at(2) & 0x7F);
    out->hours = fromBcd(fiftyHz ? at(3) & 0x7F : at(3));
    *secondField = ((fiftyHz ? at(3) : at(1)) & FieldBit) != 0;
    return out->frames >= 0 && out->seconds >= 0 && out->minutes >= 0 && out->hours >= 0;
}

} // namespace xrsim
