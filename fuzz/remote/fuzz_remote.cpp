// SPDX-License-Identifier: GPL-3.0-or-later
// Remote control's readers of network input: the deck protocol's lines (a
// client's TCP bytes in pieces), the WebSocket API's JSON requests and OSC
// datagrams, each through its own parser and decision into the named
// commands, run on a window that only records what it is asked.
//
// Input: a byte choosing the transport (modulo 3: deck, JSON, OSC), a byte of
// the window's state (bit 0: it refuses what it is asked; bit 1: the operator
// allows recording without confirmation; bit 2: deck commands are allowed),
// then the transport's bytes. Deck bytes arrive in pieces: each piece is a
// length byte and that many bytes.
//
// Properties, besides no crash and no read out of bounds: a line kept never
// exceeds the reader's bound, and the lines waiting never outnumber the
// bytes that made them; a request with a value its method does not accept
// never reaches the window, and is refused as a bad value; every deck
// request is answered with a reply of the protocol's form; an OSC reply
// decodes to the message that was encoded.

#include "faketarget.h"
#include "fuzzcheck.h"
#include "fuzzinput.h"

#include "remote/commands.h"
#include "remote/deckstate.h"
#include "remote/gateways/deckcommands.h"
#include "remote/gateways/oscmessage.h"
#include "remote/gateways/oscroutes.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>

namespace {

enum class Transport { Deck, Json, Osc, Count };

constexpr quint8 kRefuses = 0x01;
constexpr quint8 kRecordingAllowed = 0x02;
constexpr quint8 kDeckCommands = 0x04;

// The dial's distance as the recorder's speed byte: any monotonic table does.
quint8 LinearShuttle(int distance)
{
    return quint8(distance);
}

// The window a remote client drives: a recorder with two segments in a
// playlist, stopped.
FakeTarget MakeWindow(quint8 state)
{
    FakeTarget window;
    window.answer = (state & kRefuses) ? Refusal::NoAnswer : Refusal::None;
    window.connection.connected = true;
    window.connection.recorder = QStringLiteral("Ethernet - 127.0.0.5");
    window.connection.videoStandard = 5;
    window.time = {true, 10, 0, 0, 0, false, 1, false};
    window.transport.stopped = true;
    window.segments = {{7, "Seven", "00:00:10:00", "00:00:12:00", "00:00:02:00"},
                       {3, "Three", "00:00:01:00", "00:00:05:00", "00:00:04:00"}};
    window.segment.segment = window.segments.at(1);
    window.playlist.rows = {QStringLiteral("Seven"), QStringLiteral("Three")};
    window.recorders = {window.connection.recorder};
    return window;
}

// Runs a named method as the core runs it once its own guards passed.
CommandOutcome Run(FakeTarget &window, const QString &method, const QJsonObject &object,
                   const CommandPolicy &policy)
{
    const Command *command = FindCommand(method);
    if (!command)
        return {Refusal::UnknownMethod, {}, {}};
    Params params(object);
    const qsizetype before = window.done.size();
    const CommandOutcome outcome = command->run(window, params, policy);
    if (!params.Ok()) {
        FUZZ_CHECK(window.done.size() == before);
        FUZZ_CHECK(outcome.refusal == Refusal::BadValue);
    }
    return outcome;
}

void CheckDeckReply(const DeckReply &reply)
{
    const QByteArray bytes = reply.Encode();
    FUZZ_CHECK(bytes.endsWith("\r\n"));
    FUZZ_CHECK(bytes.at(0) >= '1' && bytes.at(0) <= '5');
}

// A deck client's bytes: cut into lines, each line a request decided against
// the window as a deck client sees it.
void Deck(FakeTarget &window, quint8 state, FuzzInput &in)
{
    const CommandPolicy policy{(state & kRecordingAllowed) != 0};
    const bool commands = (state & kDeckCommands) != 0;
    DeckContext context;
    context.shuttleSpeed = LinearShuttle;
    DeckLineReader reader;
    qsizetype bytesIn = 0;
    while (!in.AtEnd()) {
        const QByteArray piece = in.Bytes(in.Byte());
        bytesIn += piece.size();
        reader.Append(piece);
        FUZZ_CHECK(reader.PendingLines() <= bytesIn);
        DeckLineReader::Line line;
        while (reader.NextLine(line)) {
            FUZZ_CHECK(line.text.size() <= DeckLineReader::kMaxLineBytes);
            DeckRequest request;
            if (line.tooLong || !ParseDeckRequest(line.text.trimmed(), request))
                continue;
            context.view = DeckViewOf(window, commands, LinearShuttle);
            context.rate = DeckRateOfTarget(window);
            context.timeline = window.playlist.rows;
            context.clips.reset();
            DeckAction action = DecideDeck(request, context);
            if (action.kind == DeckAction::Kind::ReadClips) {
                context.clips = DeckClipsOf(window.segments);
                action = DecideDeck(request, context);
                FUZZ_CHECK(action.kind != DeckAction::Kind::ReadClips);
            }
            if (action.kind == DeckAction::Kind::Reply)
                CheckDeckReply(action.reply);
            else if (action.kind == DeckAction::Kind::Call)
                FUZZ_CHECK(Run(window, action.method, action.params, policy).refusal !=
                           Refusal::UnknownMethod);
        }
    }
}

// A WebSocket message: a JSON object with a method and, if any, parameters.
void Json(FakeTarget &window, quint8 state, FuzzInput &in)
{
    const QJsonDocument document = QJsonDocument::fromJson(in.Rest());
    if (!document.isObject())
        return;
    const QJsonObject request = document.object();
    const QJsonValue method = request.value(QLatin1String("method"));
    const QJsonValue params = request.value(QLatin1String("params"));
    if (!method.isString() || !(params.isUndefined() || params.isObject()))
        return;
    Run(window, method.toString(), params.toObject(), {(state & kRecordingAllowed) != 0});
}

// An OSC datagram: decoded, routed to a method, answered with /tavrel/reply.
void Osc(FakeTarget &window, quint8 state, FuzzInput &in)
{
    OscMessage message;
    if (!DecodeOsc(in.Rest(), message))
        return;
    FUZZ_CHECK(message.path.startsWith(QLatin1Char('/')));
    const OscRoute route = RouteOsc(message);
    if (route.kind != OscRoute::Kind::Command)
        return;
    const CommandOutcome outcome =
        Run(window, route.method, route.params, {(state & kRecordingAllowed) != 0});
    const QJsonObject answer{{"status", outcome.refusal == Refusal::None ? "ok" : "error"},
                             {"result", outcome.result}};
    const OscMessage reply = OscReply(message.path, answer);
    OscMessage decoded;
    FUZZ_CHECK(DecodeOsc(EncodeOsc(reply), decoded));
    FUZZ_CHECK(decoded.path == reply.path && decoded.args == reply.args);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const auto transport = Transport(in.Byte() % quint8(Transport::Count));
    const quint8 state = in.Byte();
    FakeTarget window = MakeWindow(state);
    switch (transport) {
    case Transport::Deck:
        Deck(window, state, in);
        break;
    case Transport::Json:
        Json(window, state, in);
        break;
    case Transport::Osc:
        Osc(window, state, in);
        break;
    case Transport::Count:
        break;
    }
    return 0;
}
