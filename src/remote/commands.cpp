// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

#include "controltarget.h"
#include "topics.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>

namespace {

using Side = ControlTarget::Side;
using Point = ControlTarget::Point;

// One jog command steps at most this many frames: each step is an exchange
// that holds the window, a few milliseconds on a serial line.
constexpr int kMaxJogFrames = 100;
constexpr int kDialEnd = 120;
constexpr int kMaxSegmentNumber = 2045;
constexpr int kMaxSegmentName = 32;
constexpr int kMaxFileName = 8;
constexpr int kMaxRecorderName = 64;
constexpr int kMemories = 4;
constexpr int kMaxTimeText = 16;
// Timecode hours up to 79 fit the recorder's BCD hours byte beside its
// field mark.
constexpr int kMaxHours = 79;
constexpr int kMaxTimecodeFrames = 29;

CommandOutcome Refused(Refusal refusal, const QString &detail = QString())
{
    CommandOutcome outcome;
    outcome.refusal = refusal;
    outcome.detail = detail;
    return outcome;
}

CommandOutcome BadValue(const Params &params)
{
    return Refused(Refusal::BadValue, params.Fault());
}

CommandOutcome Done(Refusal refusal, const QJsonValue &result = QJsonObject())
{
    CommandOutcome outcome;
    outcome.refusal = refusal;
    if (refusal == Refusal::None)
        outcome.result = result;
    return outcome;
}

// Transport.

CommandOutcome RunPlay(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.Play());
}

CommandOutcome RunStop(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.Stop());
}

// Recording destroys what the recorder held under the record head; a remote
// client confirms it unless the operator allowed remote recording outright.
CommandOutcome RunRecord(ControlTarget &target, Params &params, const CommandPolicy &policy)
{
    bool confirm = false;
    if (!params.OptionalFlag("confirm", confirm))
        return BadValue(params);
    if (!confirm && !policy.recordingAllowed)
        return Refused(Refusal::NotConfirmed);
    return Done(target.Record());
}

CommandOutcome RunFastForward(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.FastForward());
}

CommandOutcome RunRewind(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.Rewind());
}

CommandOutcome RunJog(ControlTarget &target, Params &params, const CommandPolicy &)
{
    int frames = 0;
    if (!params.Int("frames", -kMaxJogFrames, kMaxJogFrames, frames))
        return BadValue(params);
    return Done(target.Jog(frames));
}

CommandOutcome RunShuttle(ControlTarget &target, Params &params, const CommandPolicy &)
{
    int speed = 0;
    if (!params.Int("speed", -kDialEnd, kDialEnd, speed))
        return BadValue(params);
    return Done(target.Shuttle(speed));
}

CommandOutcome RunGoto(ControlTarget &target, Params &params, const CommandPolicy &)
{
    QString time;
    if (params.Text("timecode", kMaxTimeText, time) && !ValidGotoTime(time))
        params.Fail(QStringLiteral("timecode must read HH:MM:SS:FF (HH:MM:SS;FF under drop "
                                   "frame), minutes and seconds below 60, frames below 30"));
    if (!params.Ok())
        return BadValue(params);
    return Done(target.Goto(time));
}

CommandOutcome RunSide(ControlTarget &target, Params &params, const CommandPolicy &)
{
    QString side;
    if (params.Text("side", 8, side) && side != QLatin1String("recorder") &&
        side != QLatin1String("player"))
        params.Fail(QStringLiteral("side must be \"recorder\" or \"player\""));
    if (!params.Ok())
        return BadValue(params);
    return Done(target.ChooseSide(side == QLatin1String("player") ? Side::Player : Side::Recorder));
}

// Segments.

// The row of the segment a request names by "name" (exact case) or by
// "number"; -1 with the outcome to answer when there is none.
int SegmentRow(const ControlTarget &target, Params &params, CommandOutcome &outcome)
{
    const bool byName = params.Has("name");
    if (byName == params.Has("number")) {
        params.Fail(QStringLiteral("give the segment's name or its number"));
        outcome = BadValue(params);
        return -1;
    }
    QString name;
    int number = 0;
    if (byName ? !params.Text("name", kMaxSegmentName, name)
               : !params.Int("number", 1, kMaxSegmentNumber, number)) {
        outcome = BadValue(params);
        return -1;
    }
    const QList<SegmentEntry> segments = target.Segments();
    for (int row = 0; row < segments.size(); ++row) {
        if (byName ? segments.at(row).name == name : segments.at(row).number == number)
            return row;
    }
    outcome = Refused(Refusal::NotFound, byName ? QStringLiteral("no segment named %1").arg(name)
                                                : QStringLiteral("no segment %1").arg(number));
    return -1;
}

CommandOutcome RunSegmentPlay(ControlTarget &target, Params &params, const CommandPolicy &)
{
    CommandOutcome outcome;
    const int row = SegmentRow(target, params, outcome);
    return row < 0 ? outcome : Done(target.PlaySegment(row));
}

CommandOutcome RunSegmentCue(ControlTarget &target, Params &params, const CommandPolicy &)
{
    QString point = QStringLiteral("in");
    if (params.Has("point") && params.Text("point", 3, point) && point != QLatin1String("in") &&
        point != QLatin1String("out"))
        params.Fail(QStringLiteral("point must be \"in\" or \"out\""));
    if (!params.Ok())
        return BadValue(params);
    CommandOutcome outcome;
    const int row = SegmentRow(target, params, outcome);
    if (row < 0)
        return outcome;
    return Done(target.CueSegment(row, point == QLatin1String("out") ? Point::Out : Point::In));
}

CommandOutcome RunSegmentList(ControlTarget &target, Params &, const CommandPolicy &)
{
    QJsonArray segments;
    for (const SegmentEntry &segment : target.Segments())
        segments.append(SegmentJson(segment));
    return Done(Refusal::None, QJsonObject{{"segments", segments}});
}

// Playlist.

CommandOutcome RunPlaylistStart(ControlTarget &target, Params &params, const CommandPolicy &)
{
    int row = -1;
    if (params.Has("row") &&
        !params.Int("row", 0, std::max(0, int(target.Playlist().rows.size()) - 1), row))
        return BadValue(params);
    return Done(target.StartPlaylist(row));
}

CommandOutcome RunPlaylistNext(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.StepPlaylist(1));
}

CommandOutcome RunPlaylistPrevious(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.StepPlaylist(-1));
}

CommandOutcome RunPlaylistStop(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(target.StopPlaylist());
}

CommandOutcome RunPlaylistList(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(Refusal::None, TopicState(Topic::Playlist, target));
}

// Files.

CommandOutcome RunFileList(ControlTarget &target, Params &, const CommandPolicy &)
{
    FileListing files;
    const Refusal refusal = target.ReadFiles(files);
    return Done(refusal, QJsonObject{{"files", QJsonArray::fromStringList(files.names)},
                                     {"loaded", files.loaded},
                                     {"storageRemaining", files.storageRemaining}});
}

CommandOutcome RunFileLoad(ControlTarget &target, Params &params, const CommandPolicy &)
{
    QString name;
    if (!params.Text("name", kMaxFileName, name))
        return BadValue(params);
    return Done(target.LoadFile(name));
}

// Memories.

CommandOutcome RunMemoryCapture(ControlTarget &target, Params &params, const CommandPolicy &)
{
    int slot = 0;
    if (!params.Int("slot", 1, kMemories, slot))
        return BadValue(params);
    QString captured;
    const Refusal refusal = target.CaptureMemory(slot, captured);
    return Done(refusal, QJsonObject{{"slot", slot}, {"time", captured}});
}

CommandOutcome RunMemoryLocate(ControlTarget &target, Params &params, const CommandPolicy &)
{
    int slot = 0;
    if (!params.Int("slot", 1, kMemories, slot))
        return BadValue(params);
    return Done(target.LocateMemory(slot));
}

// Recorders.

CommandOutcome RunRecorderList(ControlTarget &target, Params &, const CommandPolicy &)
{
    return Done(Refusal::None,
                QJsonObject{{"recorders", QJsonArray::fromStringList(target.Recorders())},
                            {"current", target.Connection().recorder}});
}

// A recorder is named as its "&Connect" entry reads, or by its address alone.
CommandOutcome RunRecorderSelect(ControlTarget &target, Params &params, const CommandPolicy &)
{
    QString name;
    if (!params.Text("name", kMaxRecorderName, name))
        return BadValue(params);
    for (const QString &recorder : target.Recorders()) {
        if (recorder.compare(name, Qt::CaseInsensitive) == 0 ||
            recorder == QLatin1String("Ethernet - ") + name)
            return Done(target.SelectRecorder(recorder));
    }
    return Refused(Refusal::NotFound, QStringLiteral("no recorder named %1").arg(name));
}

// Every topic at once, for a client that looks once rather than subscribes.
CommandOutcome RunStatus(ControlTarget &target, Params &, const CommandPolicy &)
{
    QJsonObject state;
    for (const Topic topic : AllTopics())
        state.insert(TopicName(topic), TopicState(topic, target));
    return Done(Refusal::None, state);
}

constexpr Access kWatch = Access::Watch;
constexpr Access kControl = Access::Control;

const Command kCommands[] = {
    {"transport.play", kControl, RunPlay},
    {"transport.stop", kControl, RunStop},
    {"transport.record", kControl, RunRecord},
    {"transport.fastForward", kControl, RunFastForward},
    {"transport.rewind", kControl, RunRewind},
    {"transport.jog", kControl, RunJog},
    {"transport.shuttle", kControl, RunShuttle},
    {"transport.goto", kControl, RunGoto},
    {"transport.side", kControl, RunSide},
    {"segment.play", kControl, RunSegmentPlay},
    {"segment.cue", kControl, RunSegmentCue},
    {"segment.list", kWatch, RunSegmentList},
    {"playlist.start", kControl, RunPlaylistStart},
    {"playlist.next", kControl, RunPlaylistNext},
    {"playlist.previous", kControl, RunPlaylistPrevious},
    {"playlist.stop", kControl, RunPlaylistStop},
    {"playlist.list", kWatch, RunPlaylistList},
    {"file.list", kWatch, RunFileList},
    {"file.load", kControl, RunFileLoad},
    {"memory.capture", kControl, RunMemoryCapture},
    {"memory.locate", kControl, RunMemoryLocate},
    {"recorder.list", kWatch, RunRecorderList},
    {"recorder.select", kControl, RunRecorderSelect},
    {"status", kWatch, RunStatus},
};

} // namespace

const Command *FindCommand(const QString &method)
{
    for (const Command &command : kCommands) {
        if (method == QLatin1String(command.method))
            return &command;
    }
    return nullptr;
}

QStringList CommandMethods()
{
    QStringList methods;
    for (const Command &command : kCommands)
        methods << QLatin1String(command.method);
    return methods;
}

bool ValidGotoTime(const QString &text)
{
    static const QRegularExpression kPattern(
        QStringLiteral("^(\\d\\d):(\\d\\d):(\\d\\d)[:;.](\\d\\d)(\\.[12])?$"));
    const QRegularExpressionMatch match = kPattern.match(text);
    return match.hasMatch() && match.captured(1).toInt() <= kMaxHours &&
           match.captured(2).toInt() < 60 && match.captured(3).toInt() < 60 &&
           match.captured(4).toInt() <= kMaxTimecodeFrames;
}
