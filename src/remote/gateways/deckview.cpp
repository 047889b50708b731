// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckview.h"

#include <QStringList>

#include <cmath>

namespace {

// The 9-pin speed scale: speed = 10^(byte / 32 - 2) times play speed.
constexpr double kStepsPerDecade = 32.0;
constexpr int kLargestByte = 0x7F;

QString Or(const QString &text, const char *otherwise)
{
    return text.isEmpty() ? QLatin1String(otherwise) : text;
}

} // namespace

DeckReply TransportInfo(const DeckView &view, DeckCode code)
{
    DeckReply reply(code);
    reply.Field(QStringLiteral("status"), view.status)
        .Field(QStringLiteral("speed"), view.speed)
        .Field(QStringLiteral("slot id"),
               view.recorder ? QStringLiteral("1") : QStringLiteral("none"))
        .Field(QStringLiteral("clip id"),
               view.clipId > 0 ? QString::number(view.clipId) : QStringLiteral("none"))
        .Field(QStringLiteral("single clip"), false)
        .Field(QStringLiteral("display timecode"), Or(view.timecode, "00:00:00:00"))
        .Field(QStringLiteral("timecode"), Or(view.timecode, "00:00:00:00"))
        .Field(QStringLiteral("video format"), view.videoFormat)
        .Field(QStringLiteral("loop"), view.loop);
    return reply;
}

DeckReply SlotInfo(const DeckView &view, DeckCode code)
{
    DeckReply reply(code);
    reply.Field(QStringLiteral("slot id"), 1)
        .Field(QStringLiteral("status"),
               view.recorder ? QStringLiteral("mounted") : QStringLiteral("empty"))
        .Field(QStringLiteral("volume name"), view.recorder ? view.volume : QString())
        .Field(QStringLiteral("recording time"),
               QString::number(view.recorder ? view.recordingSeconds : 0))
        .Field(QStringLiteral("video format"), view.videoFormat)
        .Field(QStringLiteral("blocked"), false);
    return reply;
}

DeckReply RemoteInfo(const DeckView &view, DeckCode code)
{
    DeckReply reply(code);
    reply.Field(QStringLiteral("enabled"), view.commands).Field(QStringLiteral("override"), false);
    return reply;
}

DeckReply ConfigurationInfo(const DeckView &view, DeckCode code)
{
    DeckReply reply(code);
    reply.Field(QStringLiteral("audio input"), QStringLiteral("embedded"))
        .Field(QStringLiteral("video input"), QStringLiteral("SDI"))
        .Field(QStringLiteral("file format"), QStringLiteral("native"))
        .Field(QStringLiteral("video format"), view.videoFormat);
    return reply;
}

DeckReply ChangedLines(const DeckReply &before, const DeckReply &now)
{
    DeckReply changed(now.code);
    for (const QString &line : now.lines) {
        if (!before.lines.contains(line))
            changed.lines << line;
    }
    return changed;
}

int SpeedPercent(quint8 speedByte)
{
    if (speedByte == 0)
        return 0;
    return int(std::lround(std::pow(10.0, speedByte / kStepsPerDecade)));
}

quint8 SpeedByte(int percent)
{
    if (percent <= 1)
        return 0;
    const long byte = std::lround(kStepsPerDecade * std::log10(double(percent)));
    return quint8(std::min<long>(byte, kLargestByte));
}
