// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlcore.h"
#include "deckstate.h"
#include "gateways/deckcommands.h"

#include <QObject>

#include <optional>

class DeckConnection;

// What every client of the deck gateway shares: whether the operator lets
// deck clients command, and the panel's shuttle table.
struct DeckSetup
{
    bool commands = true;
    ShuttleTable shuttleSpeed = nullptr;
};

// One client of the deck gateway, a client of the remote control core like
// any other: its requests are answered one at a time in the order sent; what
// changes the recorder goes through the core's guard-and-log path as a named
// command, and the core's refusal comes back as the protocol's error. What
// only reads is answered from the window's state at once. The notifications
// it asked for follow the core's state pushes.
//
// The session lives as a child of its connection and ends with it.
class DeckSession : public QObject, public ClientSink
{
    Q_OBJECT

public:
    DeckSession(DeckConnection &connection, ControlCore &core, const ControlTarget &target,
                const DeckSetup &setup);
    ~DeckSession() override;

    // Attaches to the core and greets the client; false, with the client
    // turned away, when the core serves as many clients as it may.
    bool Start();
    void SetSetup(const DeckSetup &setup);

    void Answer(const Reply &reply) override;
    void Push(Topic topic, const QJsonObject &state) override;

private:
    bool Attach();
    void TakeLines();
    void Handle(const QString &line);
    void TakeBlockLine(const QString &line, bool tooLong);
    void Decide(const DeckRequest &request);
    void Act(DeckAction action);
    void Call(const DeckAction &action);
    void Send(const DeckReply &reply);
    DeckView View() const;
    QList<DeckClip> Clips() const;
    void Follow(bool displayTimecode);
    void NotifyChanges();

    DeckConnection &connection;
    ControlCore &core;
    const ControlTarget &target;
    DeckSetup setup;
    ClientId id = 0;
    DeckContext context;
    // A command sent to the core whose answer the client waits for.
    bool waiting = false;
    bool taking = false;
    qint64 nextRequest = 1;
    bool followingTime = false;
    // The time last sent with 513, which the client knows already.
    QString lastTimecode;
    // A request of many lines being read, and whether one of its lines was
    // faulty.
    std::optional<DeckRequest> block;
    bool blockFault = false;
    // The last transport and slot information sent, for notifications that
    // carry what changed.
    DeckReply lastTransport;
    DeckReply lastSlot;
    DeckReply lastConfiguration;
};

// The deck protocol's error for a command the remote control refused.
DeckCode DeckCodeOf(Refusal refusal);
