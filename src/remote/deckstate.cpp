// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckstate.h"

#include "controltarget.h"
#include "protocol/videostandard.h"
#include "topics.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace {

// Fast wind has no speed the recorder reports; a deck client reads it as the
// fastest speed its protocol knows.
constexpr int kWindPercent = 1600;

void TakeMotion(const TransportStatus &transport, ShuttleTable shuttleSpeed, DeckView &view)
{
    if (transport.recording) {
        view.status = QStringLiteral("record");
        view.speed = 100;
    } else if (transport.jog) {
        view.status = QStringLiteral("jog");
    } else if (transport.shuttle) {
        view.status = QStringLiteral("shuttle");
        const int distance = std::abs(transport.shuttleSpeed);
        const int percent = shuttleSpeed && distance > 0 ? SpeedPercent(shuttleSpeed(distance)) : 0;
        view.speed = transport.shuttleSpeed < 0 ? -percent : percent;
    } else if (transport.forward) {
        view.status = QStringLiteral("forward");
        view.speed = kWindPercent;
    } else if (transport.rewind) {
        view.status = QStringLiteral("rewind");
        view.speed = -kWindPercent;
    } else if (transport.playing) {
        view.status = QStringLiteral("play");
        view.speed = 100;
    }
}

// The storage's recording time left, "HH:MM:SS" with anything after, in
// seconds; 0 when the text is no time.
qint64 RecordingSeconds(const QString &remaining)
{
    static const QRegularExpression kTime(QStringLiteral("^(\\d+):(\\d\\d):(\\d\\d)"));
    const QRegularExpressionMatch match = kTime.match(remaining.trimmed());
    if (!match.hasMatch())
        return 0;
    return match.captured(1).toLongLong() * 3600 + match.captured(2).toInt() * 60 +
           match.captured(3).toInt();
}

} // namespace

DeckView DeckViewOf(const ControlTarget &target, bool commands, ShuttleTable shuttleSpeed)
{
    DeckView view;
    view.commands = commands;
    const ConnectionState connection = target.Connection();
    view.recorder = connection.connected;
    if (!view.recorder)
        return view;
    view.volume = connection.recorder;
    view.model = connection.pellet ? QStringLiteral("Pellet") : QStringLiteral("XR");
    view.videoFormat = DeckVideoFormat(VideoStandardFor(connection.videoStandard));
    const TimeState time = target.Time();
    if (time.known && !time.timer)
        view.timecode = TimeText(time);
    TakeMotion(target.Transport(), shuttleSpeed, view);
    view.loop = target.Playlist().loop;
    view.recordingSeconds = RecordingSeconds(target.File().storageRemaining);
    return view;
}

DeckRate DeckRateOfTarget(const ControlTarget &target)
{
    const ConnectionState connection = target.Connection();
    if (!connection.connected)
        return DeckRate();
    return DeckRateOf(VideoStandardFor(connection.videoStandard), target.Time().dropFrame);
}

QList<DeckClip> DeckClipsOf(const QList<SegmentEntry> &segments)
{
    QList<DeckClip> clips;
    for (const SegmentEntry &segment : segments)
        clips << DeckClip{segment.number, segment.name, segment.in, segment.duration};
    std::stable_sort(clips.begin(), clips.end(),
                     [](const DeckClip &a, const DeckClip &b) { return a.number < b.number; });
    return clips;
}
