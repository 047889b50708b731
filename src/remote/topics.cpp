// SPDX-License-Identifier: GPL-3.0-or-later
#include "topics.h"

#include "controltarget.h"
#include "protocol/videostandard.h"

#include <QJsonArray>

namespace {

struct TopicEntry
{
    Topic topic;
    const char *name;
};

const TopicEntry kTopics[] = {
    {Topic::Connection, "connection"}, {Topic::Time, "time"},
    {Topic::Transport, "transport"},   {Topic::Segment, "segment"},
    {Topic::Playlist, "playlist"},     {Topic::File, "file"},
    {Topic::Display, "display"},
};

QJsonObject ConnectionJson(const ConnectionState &connection)
{
    return {{"recorder", connection.recorder},
            {"link", connection.link},
            {"connected", connection.connected},
            {"lost", connection.lost},
            {"version", connection.version},
            {"pellet", connection.pellet},
            {"videoStandard", connection.videoStandard < 0
                                  ? QString()
                                  : VideoStandardName(connection.videoStandard)}};
}

QJsonObject TimeJson(const TimeState &time)
{
    if (!time.known)
        return {{"known", false}, {"text", QString()}};
    return {{"known", true},
            {"text", TimeText(time)},
            {"hours", time.hours},
            {"minutes", time.minutes},
            {"seconds", time.seconds},
            {"frames", time.frames},
            {"dropFrame", time.dropFrame},
            {"field", time.field},
            {"timer", time.timer}};
}

QJsonObject TransportJson(const TransportStatus &transport)
{
    QJsonArray status;
    for (const quint8 byte : transport.status)
        status.append(byte);
    return {{"state", transport.state},
            {"word", transport.word},
            {"playing", transport.playing},
            {"recording", transport.recording},
            {"stopped", transport.stopped},
            {"forward", transport.forward},
            {"rewind", transport.rewind},
            {"shuttle", transport.shuttle},
            {"jog", transport.jog},
            {"variable", transport.variable},
            {"shuttleSpeed", transport.shuttleSpeed},
            {"side", transport.side},
            {"local", transport.local},
            {"ltc", transport.ltc},
            {"edit", transport.edit},
            {"status", status}};
}

QJsonObject CurrentSegmentJson(const SegmentState &segment)
{
    QJsonObject state = SegmentJson(segment.segment);
    state.insert(QStringLiteral("remaining"), segment.remaining);
    return state;
}

QJsonObject PlaylistJson(const PlaylistState &playlist)
{
    return {{"rows", QJsonArray::fromStringList(playlist.rows)},
            {"current", playlist.current},
            {"loop", playlist.loop},
            {"remaining", playlist.remaining}};
}

QJsonObject FileJson(const FileState &file)
{
    return {{"loaded", file.loaded}, {"storageRemaining", file.storageRemaining}};
}

QJsonObject DisplayJson(const DisplayState &display)
{
    return {{"upper", display.upper}, {"lower", display.lower}};
}

} // namespace

QString TopicName(Topic topic)
{
    for (const TopicEntry &entry : kTopics) {
        if (entry.topic == topic)
            return QLatin1String(entry.name);
    }
    return QString();
}

bool TopicByName(const QString &name, Topic &topic)
{
    for (const TopicEntry &entry : kTopics) {
        if (name == QLatin1String(entry.name)) {
            topic = entry.topic;
            return true;
        }
    }
    return false;
}

QList<Topic> AllTopics()
{
    QList<Topic> topics;
    for (const TopicEntry &entry : kTopics)
        topics << entry.topic;
    return topics;
}

QJsonObject TopicState(Topic topic, const ControlTarget &target)
{
    switch (topic) {
    case Topic::Connection:
        return ConnectionJson(target.Connection());
    case Topic::Time:
        return TimeJson(target.Time());
    case Topic::Transport:
        return TransportJson(target.Transport());
    case Topic::Segment:
        return CurrentSegmentJson(target.CurrentSegment());
    case Topic::Playlist:
        return PlaylistJson(target.Playlist());
    case Topic::File:
        return FileJson(target.File());
    case Topic::Display:
        return DisplayJson(target.Display());
    }
    return {};
}

QString TimeText(const TimeState &time)
{
    return QString::asprintf("%02d:%02d:%02d%c%02d", time.hours, time.minutes, time.seconds,
                             time.dropFrame ? ';' : ':', time.frames);
}

QJsonObject SegmentJson(const SegmentEntry &segment)
{
    return {{"number", segment.number},
            {"name", segment.name},
            {"in", segment.in},
            {"out", segment.out},
            {"duration", segment.duration}};
}
