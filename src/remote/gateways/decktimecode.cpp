// SPDX-License-Identifier: GPL-3.0-or-later
#include "decktimecode.h"

#include "protocol/timecode.h"
#include "protocol/videostandard.h"

#include <QRegularExpression>

namespace {

constexpr qint64 kSecondsPerDay = 24 * 3600;
// Drop frame skips frame numbers 0 and 1 of each minute but every tenth.
constexpr int kDroppedPerMinute = 2;

qint64 FramesPerDay(const DeckRate &rate)
{
    const qint64 nominal = kSecondsPerDay * rate.fps;
    if (!rate.dropFrame)
        return nominal;
    const qint64 minutes = 24 * 60;
    return nominal - kDroppedPerMinute * (minutes - minutes / 10);
}

} // namespace

DeckRate DeckRateOf(const VideoStandard &standard, bool dropFrame)
{
    DeckRate rate;
    rate.fps = standard.nominalFps > 30 ? standard.nominalFps / 2 : standard.nominalFps;
    rate.dropFrame = dropFrame && rate.fps == 30;
    return rate;
}

bool DeckTimecodeFrames(const QString &text, const DeckRate &rate, qint64 &frames)
{
    static const QRegularExpression kPattern(
        QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)[:;.](\\d\\d)$"));
    const QRegularExpressionMatch match = kPattern.match(text);
    if (!match.hasMatch() || rate.fps <= 0)
        return false;
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    const int seconds = match.captured(3).toInt();
    const int frame = match.captured(4).toInt();
    if (hours >= 24 || minutes >= 60 || seconds >= 60 || frame >= rate.fps)
        return false;
    const qint64 totalMinutes = 60 * hours + minutes;
    frames = (totalMinutes * 60 + seconds) * rate.fps + frame;
    if (!rate.dropFrame)
        return true;
    if (seconds == 0 && frame < kDroppedPerMinute && minutes % 10 != 0)
        return false;
    frames -= kDroppedPerMinute * (totalMinutes - totalMinutes / 10);
    return true;
}

bool DeckTimecodeOffset(const QString &text, const DeckRate &rate, qint64 &frames)
{
    if (text.size() < 2 || (text.at(0) != QLatin1Char('+') && text.at(0) != QLatin1Char('-')))
        return false;
    DeckRate plain = rate;
    plain.dropFrame = false; // a duration counts every frame
    if (!DeckTimecodeFrames(text.mid(1), plain, frames))
        return false;
    if (text.at(0) == QLatin1Char('-'))
        frames = -frames;
    return true;
}

QString DeckTimecodeText(qint64 frames, const DeckRate &rate)
{
    const qint64 day = FramesPerDay(rate);
    frames %= day;
    if (frames < 0)
        frames += day;
    QString text = FramesToTimecode(frames, rate.fps, rate.dropFrame, true);
    if (rate.dropFrame)
        text[8] = QLatin1Char(';');
    return text;
}

QString DeckVideoFormat(const VideoStandard &standard)
{
    const QString name = QLatin1String(standard.name);
    if (standard.code == kUndefinedVideoStandard)
        return QStringLiteral("none");
    if (!name.contains(QLatin1Char(' ')))
        return name; // "PAL", "NTSC"
    double rate = double(standard.rateNumerator) / standard.rateDenominator;
    if (standard.interlaced)
        rate *= 2;
    QString rateText = standard.rateDenominator == 1 ? QString::number(qRound(rate))
                                                     : QString::number(rate, 'f', 3);
    if (standard.rateDenominator != 1) {
        rateText.remove(QLatin1Char('.'));
        while (rateText.endsWith(QLatin1Char('0')))
            rateText.chop(1);
    }
    return name.section(QLatin1Char(' '), 0, 0) + QLatin1Char(standard.interlaced ? 'i' : 'p') +
           rateText;
}
