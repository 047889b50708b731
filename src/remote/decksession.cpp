// SPDX-License-Identifier: GPL-3.0-or-later
#include "decksession.h"

#include "controltarget.h"
#include "gateways/deckconnection.h"

#include <QJsonArray>

namespace {

// The id of the session's own subscription requests, whose answers need no
// reply to the client.
const QString kFollow = QStringLiteral("follow");

// The time is followed only for clients that asked for "display timecode":
// it changes at every poll while the recorder moves.
const char *const kTopics[] = {"connection", "transport", "segment", "playlist", "file"};

// A request of many lines names a few parameters at most.
constexpr int kMaxBlockParams = 16;

// What a 508 notification carries: the transport's motion and clip, not its
// time, which goes to 513 for the clients that want it.
DeckReply WithoutTime(DeckReply reply)
{
    reply.lines.erase(std::remove_if(reply.lines.begin(), reply.lines.end(),
                                     [](const QString &line) {
                                         return line.startsWith(QLatin1String("timecode:")) ||
                                                line.startsWith(QLatin1String("display timecode:"));
                                     }),
                      reply.lines.end());
    return reply;
}

} // namespace

DeckCode DeckCodeOf(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return DeckCode::Ok;
    case Refusal::NoRecorder:
        return DeckCode::NoDisk;
    case Refusal::DelayMode:
    case Refusal::PanelMode:
    case Refusal::LongWork:
    case Refusal::NotConfirmed:
    case Refusal::ReadOnly:
        return DeckCode::RemoteDisabled;
    case Refusal::NotFound:
        return DeckCode::OutOfRange;
    case Refusal::BadValue:
        return DeckCode::InvalidValue;
    case Refusal::Unavailable:
        return DeckCode::Unsupported;
    case Refusal::NoAnswer:
    case Refusal::Busy:
    case Refusal::UnknownMethod:
    case Refusal::BadRequest:
        break;
    }
    return DeckCode::InternalError;
}

DeckSession::DeckSession(DeckConnection &connection, ControlCore &core, const ControlTarget &target,
                         const DeckSetup &setup)
    : QObject(&connection), connection(connection), core(core), target(target), setup(setup)
{
    context.shuttleSpeed = setup.shuttleSpeed;
    connect(&connection, &DeckConnection::LinesReady, this, &DeckSession::TakeLines);
}

DeckSession::~DeckSession()
{
    if (id != 0)
        core.Detach(id);
}

bool DeckSession::Start()
{
    if (!Attach()) {
        connection.Send(DeckReply(DeckCode::ConnectionRejected).Encode());
        connection.Close(
            QStringLiteral("refused: remote control serves as many clients as it may"));
        return false;
    }
    Send(ConnectionInfo(View()));
    TakeLines();
    return true;
}

bool DeckSession::Attach()
{
    id = core.Attach({QStringLiteral("deck"), connection.Address(), !setup.commands}, *this);
    if (id == 0)
        return false;
    const DeckView view = View();
    lastTransport = WithoutTime(TransportInfo(view, DeckCode::TransportInfoChanged));
    lastSlot = SlotInfo(view, DeckCode::SlotInfoChanged);
    lastConfiguration = ConfigurationInfo(view, DeckCode::ConfigurationChanged);
    QJsonArray topics;
    for (const char *topic : kTopics)
        topics.append(QLatin1String(topic));
    if (followingTime)
        topics.append(QStringLiteral("time"));
    core.Submit(id, {kFollow, QLatin1String(ControlCore::kSubscribe), {{"topics", topics}}});
    return true;
}

// A change of what deck clients may do reaches the ones attached: the core
// counts a client as read-only from its start, so the session attaches anew
// (a command it waited for is answered as refused).
void DeckSession::SetSetup(const DeckSetup &changed)
{
    const bool commandsChanged = changed.commands != setup.commands;
    setup = changed;
    context.shuttleSpeed = setup.shuttleSpeed;
    if (!commandsChanged || id == 0)
        return;
    core.Detach(id);
    id = 0;
    if (!Attach()) {
        connection.Close(QStringLiteral("remote control serves as many clients as it may"));
        return;
    }
    if (waiting)
        Answer({nextRequest - 1, Refusal::ReadOnly, {}, {}});
    if (context.notify.remote)
        Send(RemoteInfo(View(), DeckCode::RemoteInfoChanged));
}

DeckView DeckSession::View() const
{
    DeckView view = DeckViewOf(target, setup.commands, setup.shuttleSpeed);
    const int number = target.CurrentSegment().segment.number;
    if (view.recorder && number > 0)
        view.clipId = ClipIdOf(Clips(), number);
    return view;
}

QList<DeckClip> DeckSession::Clips() const
{
    return DeckClipsOf(target.Segments());
}

// One request at a time: the next line is taken once the last one is
// answered, so that replies keep the order of the requests.
void DeckSession::TakeLines()
{
    if (taking)
        return;
    taking = true;
    DeckLineReader::Line line;
    while (!waiting && connection.Open() && connection.NextLine(line)) {
        const QString text = line.text.trimmed();
        if (block)
            TakeBlockLine(text, line.tooLong);
        else if (line.tooLong)
            Send(DeckReply(DeckCode::SyntaxError));
        else if (!text.isEmpty())
            Handle(text);
    }
    taking = false;
}

// A request is one line, or a command name with a colon alone on its line
// followed by a "name: value" line per parameter and a blank line, the form
// most control software sends.
void DeckSession::Handle(const QString &line)
{
    DeckRequest request;
    if (!ParseDeckRequest(line, request)) {
        Send(DeckReply(DeckCode::SyntaxError));
        return;
    }
    if (request.params.isEmpty() && line.endsWith(QLatin1Char(':'))) {
        block = request;
        blockFault = false;
        return;
    }
    Decide(request);
}

void DeckSession::TakeBlockLine(const QString &line, bool tooLong)
{
    if (line.isEmpty()) {
        const DeckRequest request = *block;
        block.reset();
        if (blockFault)
            Send(DeckReply(DeckCode::SyntaxError));
        else
            Decide(request);
        return;
    }
    const int colon = line.indexOf(QLatin1Char(':'));
    const QString name = line.left(colon).simplified().toLower();
    if (tooLong || colon <= 0 || name.isEmpty() || block->params.size() >= kMaxBlockParams) {
        blockFault = true;
        return;
    }
    block->params.append({name, line.mid(colon + 1).trimmed()});
}

void DeckSession::Decide(const DeckRequest &request)
{
    context.view = View();
    context.rate = DeckRateOfTarget(target);
    context.timeline = target.Playlist().rows;
    context.clips.reset();
    const bool displayTimecode = context.notify.displayTimecode;
    DeckAction action = DecideDeck(request, context);
    if (action.kind == DeckAction::Kind::ReadClips) {
        context.clips = Clips();
        action = DecideDeck(request, context);
    }
    Act(action);
    if (context.notify.displayTimecode != displayTimecode)
        Follow(context.notify.displayTimecode);
}

void DeckSession::Act(DeckAction action)
{
    switch (action.kind) {
    case DeckAction::Kind::Reply:
        Send(action.reply);
        return;
    case DeckAction::Kind::ReadClips:
        Send(DeckReply(DeckCode::InternalError));
        return;
    case DeckAction::Kind::ClipsReply: {
        const QList<DeckClip> clips = Clips();
        if (action.clipsCode == DeckCode::DiskList)
            Send(DiskList(clips, context.view.videoFormat));
        else if (action.clipsCode == DeckCode::ClipsCount)
            Send(ClipsCount(clips));
        else
            Send(ClipsInfo(clips));
        return;
    }
    case DeckAction::Kind::Call:
        Call(action);
        return;
    case DeckAction::Kind::Quit:
        Send(DeckReply(DeckCode::Ok));
        connection.Close(QStringLiteral("client quit"));
        return;
    }
}

void DeckSession::Call(const DeckAction &action)
{
    waiting = true;
    core.Submit(id, {nextRequest++, action.method, action.params});
}

void DeckSession::Answer(const Reply &reply)
{
    if (reply.id == QJsonValue(kFollow))
        return;
    if (!waiting)
        return;
    waiting = false;
    Send(DeckReply(DeckCodeOf(reply.refusal)));
    TakeLines();
}

void DeckSession::Follow(bool displayTimecode)
{
    if (displayTimecode == followingTime)
        return;
    followingTime = displayTimecode;
    lastTimecode = View().timecode;
    core.Submit(
        id, {kFollow,
             QLatin1String(displayTimecode ? ControlCore::kSubscribe : ControlCore::kUnsubscribe),
             {{"topic", QStringLiteral("time")}}});
}

void DeckSession::Push(Topic topic, const QJsonObject &state)
{
    if (topic != Topic::Time) {
        NotifyChanges();
        return;
    }
    if (!context.notify.displayTimecode)
        return;
    const QString text = state.value(QLatin1String("text")).toString();
    if (text.isEmpty() || text == lastTimecode || state.value(QLatin1String("timer")).toBool())
        return;
    lastTimecode = text;
    Send(DeckReply(DeckCode::DisplayTimecodeChanged)
             .Field(QStringLiteral("display timecode"), text));
}

// Each notification carries the lines that changed since the last one; the
// changes are followed whether or not the client asked, so that its first
// notification after "notify" tells only what is new.
void DeckSession::NotifyChanges()
{
    const DeckView view = View();
    const DeckReply transport = WithoutTime(TransportInfo(view, DeckCode::TransportInfoChanged));
    const DeckReply slot = SlotInfo(view, DeckCode::SlotInfoChanged);
    const DeckReply transportChanges = ChangedLines(lastTransport, transport);
    const DeckReply slotChanges = ChangedLines(lastSlot, slot);
    const DeckReply configuration = ConfigurationInfo(view, DeckCode::ConfigurationChanged);
    const DeckReply configurationChanges = ChangedLines(lastConfiguration, configuration);
    lastTransport = transport;
    lastSlot = slot;
    lastConfiguration = configuration;
    if (context.notify.transport && !transportChanges.lines.isEmpty())
        Send(transportChanges);
    if (context.notify.slot && !slotChanges.lines.isEmpty())
        Send(slotChanges);
    if (context.notify.configuration && !configurationChanges.lines.isEmpty())
        Send(configurationChanges);
}

void DeckSession::Send(const DeckReply &reply)
{
    connection.Send(reply.Encode());
}
