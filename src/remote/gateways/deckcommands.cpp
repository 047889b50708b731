// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckcommands.h"

#include <QCoreApplication>

#include <cstdlib>

namespace {

// The protocol version whose replies these are: clip lines with their start
// timecode and the "display timecode" notification.
const char kProtocolVersion[] = "1.11";
constexpr int kSlots = 2; // switchers ask for two; the recorder's storage is slot 1
constexpr int kMaxSpeed = 1600;
constexpr int kDialEnd = 120;
// A jog further than this goes to its timecode rather than stepping frame by
// frame, each step an exchange with the recorder.
constexpr int kMaxJogFrames = 100;

DeckAction Answer(const DeckReply &reply)
{
    DeckAction action;
    action.reply = reply;
    return action;
}

DeckAction Answer(DeckCode code)
{
    return Answer(DeckReply(code));
}

DeckAction Call(const char *method, const QJsonObject &params = {})
{
    DeckAction action;
    action.kind = DeckAction::Kind::Call;
    action.method = QLatin1String(method);
    action.params = params;
    return action;
}

DeckAction ReadClips()
{
    DeckAction action;
    action.kind = DeckAction::Kind::ReadClips;
    return action;
}

bool ReadFlag(const QString &value, bool &flag)
{
    if (value != QLatin1String("true") && value != QLatin1String("false"))
        return false;
    flag = value == QLatin1String("true");
    return true;
}

// A whole number within the bounds, or the code to answer.
bool ReadNumber(const QString &value, int minimum, int maximum, int &number, DeckCode &error)
{
    bool ok = false;
    number = value.toInt(&ok);
    if (!ok)
        error = DeckCode::InvalidValue;
    else if (number < minimum || number > maximum)
        error = DeckCode::OutOfRange;
    return ok && number >= minimum && number <= maximum;
}

// The slot a request names, 1 when it names none.
bool ReadSlot(const DeckRequest &request, int &slot, DeckCode &error)
{
    slot = 1;
    return !request.Has(QStringLiteral("slot id")) ||
           ReadNumber(request.Value(QStringLiteral("slot id")), 1, kSlots, slot, error);
}

DeckAction CueClip(int number, bool out)
{
    return Call("segment.cue", {{"number", number},
                                {"point", out ? QStringLiteral("out") : QStringLiteral("in")}});
}

DeckAction GotoTime(qint64 frames, const DeckContext &context)
{
    return Call("transport.goto", {{"timecode", DeckTimecodeText(frames, context.rate)}});
}

// Absolute or relative to the recorder's time; the code to answer otherwise.
bool TargetFrames(const QString &value, const DeckContext &context, qint64 &frames, bool &relative)
{
    relative = value.startsWith(QLatin1Char('+')) || value.startsWith(QLatin1Char('-'));
    if (!relative)
        return DeckTimecodeFrames(value, context.rate, frames);
    qint64 now = 0;
    if (!DeckTimecodeOffset(value, context.rate, frames) ||
        !DeckTimecodeFrames(context.view.timecode, context.rate, now))
        return false;
    frames += now;
    return true;
}

QString Model(const DeckView &view)
{
    return QStringLiteral("Tavrel %1").arg(view.model);
}

// Commands.

DeckAction Ping(const DeckRequest &, DeckContext &)
{
    return Answer(DeckCode::Ok);
}

DeckAction Quit(const DeckRequest &, DeckContext &)
{
    DeckAction action;
    action.kind = DeckAction::Kind::Quit;
    return action;
}

DeckAction Help(const DeckRequest &, DeckContext &);

DeckAction DeviceInfo(const DeckRequest &, DeckContext &context)
{
    DeckReply reply(DeckCode::DeviceInfo);
    reply.Field(QStringLiteral("protocol version"), QLatin1String(kProtocolVersion))
        .Field(QStringLiteral("model"), Model(context.view))
        .Field(QStringLiteral("unique id"),
               QString::number(qHash(context.view.volume), 16).rightJustified(16, u'0'))
        .Field(QStringLiteral("slot count"), kSlots)
        .Field(QStringLiteral("software version"), QCoreApplication::applicationVersion());
    return Answer(reply);
}

DeckAction SlotInfoCommand(const DeckRequest &request, DeckContext &context)
{
    int slot = 1;
    DeckCode error = DeckCode::Ok;
    if (!ReadSlot(request, slot, error))
        return Answer(error);
    DeckView view = context.view;
    view.recorder = view.recorder && slot == 1;
    DeckReply reply = SlotInfo(view);
    reply.lines[0] = QStringLiteral("slot id: %1").arg(slot);
    return Answer(reply);
}

DeckAction ClipsReply(DeckCode code)
{
    DeckAction action;
    action.kind = DeckAction::Kind::ClipsReply;
    action.clipsCode = code;
    return action;
}

DeckAction DiskListCommand(const DeckRequest &request, DeckContext &context)
{
    int slot = 1;
    DeckCode error = DeckCode::Ok;
    if (!ReadSlot(request, slot, error))
        return Answer(error);
    if (slot != 1 || !context.view.recorder)
        return Answer(DeckReply(DeckCode::DiskList).Field(QStringLiteral("slot id"), slot));
    return ClipsReply(DeckCode::DiskList);
}

DeckAction TransportInfoCommand(const DeckRequest &, DeckContext &context)
{
    return Answer(TransportInfo(context.view));
}

DeckAction ClipsCountCommand(const DeckRequest &, DeckContext &)
{
    return ClipsReply(DeckCode::ClipsCount);
}

DeckAction ClipsGet(const DeckRequest &, DeckContext &)
{
    return ClipsReply(DeckCode::ClipsInfo);
}

DeckAction Configuration(const DeckRequest &request, DeckContext &context)
{
    if (!request.params.isEmpty())
        return Answer(DeckCode::Unsupported); // the recorder's setup stays the operator's
    return Answer(ConfigurationInfo(context.view));
}

// A client may ask for what the operator allows, not for more.
DeckAction Remote(const DeckRequest &request, DeckContext &context)
{
    if (request.params.isEmpty())
        return Answer(RemoteInfo(context.view));
    for (const auto &param : request.params) {
        bool flag = false;
        if (!ReadFlag(param.second, flag))
            return Answer(DeckCode::InvalidValue);
        const bool wanted = param.first == QLatin1String("enable") ? context.view.commands : false;
        if (flag != wanted)
            return Answer(DeckCode::RemoteDisabled);
    }
    return Answer(DeckCode::Ok);
}

DeckAction Notify(const DeckRequest &request, DeckContext &context)
{
    DeckNotify &notify = context.notify;
    const struct
    {
        const char *name;
        bool DeckNotify::*flag;
    } kFlags[] = {
        {"transport", &DeckNotify::transport},
        {"slot", &DeckNotify::slot},
        {"remote", &DeckNotify::remote},
        {"configuration", &DeckNotify::configuration},
        {"display timecode", &DeckNotify::displayTimecode},
    };
    if (request.params.isEmpty()) {
        DeckReply reply(DeckCode::Notify);
        for (const auto &entry : kFlags)
            reply.Field(QLatin1String(entry.name), notify.*entry.flag);
        return Answer(reply);
    }
    DeckNotify changed = notify;
    for (const auto &param : request.params) {
        for (const auto &entry : kFlags) {
            if (param.first == QLatin1String(entry.name) &&
                !ReadFlag(param.second, changed.*entry.flag))
                return Answer(DeckCode::InvalidValue);
        }
    }
    notify = changed;
    return Answer(DeckCode::Ok);
}

DeckAction Play(const DeckRequest &request, DeckContext &context)
{
    bool loop = false;
    bool single = false;
    if ((request.Has(QStringLiteral("loop")) && !ReadFlag(request.Value("loop"), loop)) ||
        (request.Has(QStringLiteral("single clip")) &&
         !ReadFlag(request.Value("single clip"), single)))
        return Answer(DeckCode::InvalidValue);
    if (loop)
        return Answer(DeckCode::Unsupported); // the playlist's loop is the operator's key
    int speed = 100;
    DeckCode error = DeckCode::Ok;
    if (request.Has(QStringLiteral("speed")) &&
        !ReadNumber(request.Value(QStringLiteral("speed")), -kMaxSpeed, kMaxSpeed, speed, error))
        return Answer(error);
    if (single) {
        if (speed != 100)
            return Answer(DeckCode::Unsupported); // a segment plays at play speed
        if (!context.clips)
            return ReadClips();
        if (context.clips->isEmpty())
            return Answer(DeckCode::TimelineEmpty);
        const int id = context.view.clipId > 0 ? context.view.clipId : 1;
        return Call("segment.play", {{"number", context.clips->value(id - 1).number}});
    }
    if (speed == 100)
        return Call("transport.play");
    return Call("transport.shuttle", {{"speed", DialForSpeed(speed, context.shuttleSpeed)}});
}

DeckAction Stop(const DeckRequest &, DeckContext &)
{
    return Call("transport.stop");
}

// Recording keeps the operator's rule: without remote recording allowed in
// the remote control settings the recorder refuses it.
DeckAction Record(const DeckRequest &request, DeckContext &)
{
    if (!request.params.isEmpty())
        return Answer(DeckCode::UnsupportedParameter);
    return Call("transport.record");
}

DeckAction GotoClip(const QString &name, const QString &value, DeckContext &context)
{
    if (!context.clips)
        return ReadClips();
    const QList<DeckClip> &clips = *context.clips;
    if (name == QLatin1String("clip id")) {
        int id = 0;
        DeckCode error = DeckCode::Ok;
        if (!ResolveClipId(value, clips, context.view.clipId, id, error))
            return Answer(error);
        return CueClip(clips.at(id - 1).number, false);
    }
    if (value != QLatin1String("start") && value != QLatin1String("end"))
        return Answer(DeckCode::InvalidValue);
    if (clips.isEmpty())
        return Answer(DeckCode::TimelineEmpty);
    const int id =
        context.view.clipId > 0 && context.view.clipId <= clips.size() ? context.view.clipId : 1;
    return CueClip(clips.at(id - 1).number, value == QLatin1String("end"));
}

DeckAction Goto(const DeckRequest &request, DeckContext &context)
{
    if (request.params.size() != 1)
        return Answer(DeckCode::SyntaxError); // one place at a time
    const QString name = request.params.first().first;
    const QString value = request.params.first().second;
    if (name == QLatin1String("clip id") || name == QLatin1String("clip"))
        return GotoClip(name, value, context);
    if (name == QLatin1String("timeline")) {
        if (value != QLatin1String("start") && value != QLatin1String("end"))
            return Answer(DeckCode::InvalidValue);
        if (context.timeline.isEmpty())
            return Answer(DeckCode::TimelineEmpty);
        const bool end = value == QLatin1String("end");
        return Call("segment.cue",
                    {{"name", end ? context.timeline.last() : context.timeline.first()},
                     {"point", end ? QStringLiteral("out") : QStringLiteral("in")}});
    }
    if (name == QLatin1String("timecode")) {
        qint64 frames = 0;
        bool relative = false;
        if (!TargetFrames(value, context, frames, relative))
            return Answer(DeckCode::InvalidValue);
        return GotoTime(frames, context);
    }
    int slot = 0;
    DeckCode error = DeckCode::Ok;
    if (!ReadNumber(value, 1, 1, slot, error)) // "slot id": only the recorder's storage
        return Answer(error);
    return Answer(DeckCode::Ok);
}

DeckAction Jog(const DeckRequest &request, DeckContext &context)
{
    qint64 frames = 0;
    bool relative = false;
    if (!TargetFrames(request.Value(QStringLiteral("timecode")), context, frames, relative))
        return Answer(request.Has(QStringLiteral("timecode")) ? DeckCode::InvalidValue
                                                              : DeckCode::SyntaxError);
    qint64 now = 0;
    if (relative && DeckTimecodeFrames(context.view.timecode, context.rate, now) &&
        std::llabs(frames - now) <= kMaxJogFrames)
        return Call("transport.jog", {{"frames", int(frames - now)}});
    return GotoTime(frames, context);
}

DeckAction Shuttle(const DeckRequest &request, DeckContext &context)
{
    int speed = 0;
    DeckCode error = DeckCode::SyntaxError;
    if (!request.Has(QStringLiteral("speed")) ||
        !ReadNumber(request.Value(QStringLiteral("speed")), -kMaxSpeed, kMaxSpeed, speed, error))
        return Answer(error);
    return Call("transport.shuttle", {{"speed", DialForSpeed(speed, context.shuttleSpeed)}});
}

struct CommandEntry
{
    const char *name;
    bool commands; // changes the recorder: refused while the operator disallows it
    QStringList params;
    DeckAction (*decide)(const DeckRequest &, DeckContext &);
};

const QList<CommandEntry> &Commands()
{
    static const QList<CommandEntry> commands = {
        {"ping", false, {}, Ping},
        {"quit", false, {}, Quit},
        {"help", false, {}, Help},
        {"?", false, {}, Help},
        {"device info", false, {}, DeviceInfo},
        {"slot info", false, {"slot id"}, SlotInfoCommand},
        {"disk list", false, {"slot id"}, DiskListCommand},
        {"transport info", false, {}, TransportInfoCommand},
        {"clips count", false, {}, ClipsCountCommand},
        {"clips get", false, {}, ClipsGet},
        {"configuration", false, {"audio input", "video input", "file format"}, Configuration},
        {"remote", false, {"enable", "override"}, Remote},
        {"notify",
         false,
         {"transport", "slot", "remote", "configuration", "display timecode"},
         Notify},
        {"play", true, {"speed", "loop", "single clip"}, Play},
        {"stop", true, {}, Stop},
        {"record", true, {"name", "append"}, Record},
        {"goto", true, {"clip id", "clip", "timeline", "timecode", "slot id"}, Goto},
        {"jog", true, {"timecode"}, Jog},
        {"shuttle", true, {"speed"}, Shuttle},
    };
    return commands;
}

DeckAction Help(const DeckRequest &, DeckContext &)
{
    DeckReply reply(DeckCode::Help);
    for (const CommandEntry &command : Commands()) {
        QString line = QLatin1String(command.name);
        for (const QString &param : command.params)
            line += QLatin1Char(' ') + param + QLatin1String(":");
        reply.lines << line;
    }
    return Answer(reply);
}

} // namespace

DeckAction DecideDeck(const DeckRequest &request, DeckContext &context)
{
    for (const CommandEntry &command : Commands()) {
        if (request.command != QLatin1String(command.name))
            continue;
        for (const auto &param : request.params) {
            if (!command.params.contains(param.first))
                return Answer(DeckCode::UnsupportedParameter);
        }
        if (command.commands && !context.view.commands)
            return Answer(DeckCode::RemoteDisabled);
        if (command.commands && !context.view.recorder)
            return Answer(DeckCode::NoDisk);
        return command.decide(request, context);
    }
    return Answer(DeckCode::SyntaxError);
}

DeckReply ConnectionInfo(const DeckView &view)
{
    DeckReply reply(DeckCode::ConnectionInfo);
    reply.Field(QStringLiteral("protocol version"), QLatin1String(kProtocolVersion))
        .Field(QStringLiteral("model"), Model(view));
    return reply;
}

int DialForSpeed(int percent, quint8 (*shuttleSpeed)(int distance))
{
    const int wanted = SpeedByte(std::abs(percent));
    if (wanted == 0 || !shuttleSpeed)
        return 0;
    int best = 0;
    for (int distance = 1; distance <= kDialEnd; ++distance) {
        if (std::abs(shuttleSpeed(distance) - wanted) < std::abs(shuttleSpeed(best) - wanted))
            best = distance;
    }
    return percent < 0 ? -best : best;
}
