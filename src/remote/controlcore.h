// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands.h"
#include "refusal.h"
#include "topics.h"

#include <QElapsedTimer>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <deque>
#include <map>

class ControlTarget;
class RemoteLog;

// The remote control core: one place where the requests of every transport
// (the WebSocket API, later a deck-protocol gateway and OSC) are checked,
// queued, run against the window and logged, and where the window's state is
// published to the clients that follow it.
//
// A transport attaches each client with a sink (the way back to it), submits
// the client's requests, and detaches the client when it leaves:
//
//   ClientId id = core.Attach({"websocket", "127.0.0.1:53000", false}, sink);
//   core.Submit(id, {1, "transport.play", {}});   // sink.Answer follows
//   core.Submit(id, {2, "subscribe", {{"topics", QJsonArray{"time"}}}});
//   ...                                            // sink.Push at each change
//   core.Detach(id);
//
// Commands run one at a time from the event loop, so between the polling
// ticks; a client has a few requests waiting at most and all clients a few
// more, beyond which a request is answered "busy" at once. A request whose
// client has left is dropped unrun. Everything runs on the GUI thread.
using ClientId = quint64;

// A client's request: its id (any JSON value, answered as given), the method
// and its parameters.
struct Request
{
    QJsonValue id;
    QString method;
    QJsonObject params;
};

struct Reply
{
    QJsonValue id;
    Refusal refusal = Refusal::None;
    QString detail;    // beyond the refusal's sentence
    QJsonValue result; // with Refusal::None
};

// The way back to one client. The core may call it from within Submit or
// Publish; the sink may detach its client meanwhile (a client too slow to
// read is dropped).
class ClientSink
{
public:
    virtual ~ClientSink() = default;
    virtual void Answer(const Reply &reply) = 0;
    virtual void Push(Topic topic, const QJsonObject &state) = 0;
};

struct ClientInfo
{
    QString transport; // "websocket"
    QString address;   // the peer, for the log
    bool readOnly = false;
};

class ControlCore : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int maxClients = 64;
        int maxQueuedPerClient = 4;
        int maxQueued = 16;
    };

    // The methods the core serves itself, beside the command table.
    static constexpr const char *kSubscribe = "subscribe";
    static constexpr const char *kUnsubscribe = "unsubscribe";
    static constexpr int kMaxTimeRate = 10;

    ControlCore(ControlTarget &target, RemoteLog &log, QObject *parent = nullptr);

    void SetPolicy(const CommandPolicy &policy) { this->policy = policy; }
    // Time pushes a client receives per second at most, 1-10.
    void SetTimeRate(int pushesPerSecond);
    void SetLimits(const Limits &limits) { this->limits = limits; }

    // 0 when the core already serves as many clients as it may.
    ClientId Attach(const ClientInfo &info, ClientSink &sink);
    void Detach(ClientId client);
    int ClientCount() const { return int(clients.size()); }

    // The answer goes to the client's sink: at once for what the core
    // refuses itself (a method it does not know, a read-only client, a full
    // queue) and for subscriptions, otherwise once the command has run.
    void Submit(ClientId client, const Request &request);

public slots:
    // The window polled the recorder, or a command ran: every topic that
    // someone follows and whose state changed is pushed.
    void Publish();
    // The same for one topic, as soon as the poll has read what it shows.
    void PublishRead(Topic topic);

signals:
    void ClientsChanged(int count);

private:
    struct Client
    {
        ClientInfo info;
        ClientSink *sink = nullptr;
        QSet<Topic> topics;
        int queued = 0;
        // When the last time pushes went out, for the rate the operator set.
        std::deque<qint64> timePushes;
        bool timePending = false;
    };

    struct Queued
    {
        ClientId client;
        Request request;
        const Command *command;
    };

    Client *Find(ClientId id);
    void Answer(ClientId id, const Reply &reply);
    void Subscribe(ClientId id, const Request &request, bool subscribe);
    void RunNext();
    Reply Run(const Queued &queued);
    void Log(const Client &client, const Request &request, const Reply &reply);
    void PublishTopic(Topic topic, const QList<ClientId> &followers);
    void PushPendingTimes(const QList<ClientId> &followers);
    bool TimePushAllowed(const Client &client, qint64 now) const;
    void CountTimePush(Client &client, qint64 now) const;
    QList<ClientId> Followers(Topic topic) const;

    ControlTarget &target;
    RemoteLog &log;
    CommandPolicy policy;
    Limits limits;
    int timeRate = kMaxTimeRate;
    ClientId nextId = 1;
    std::map<ClientId, Client> clients;
    std::deque<Queued> queue;
    bool running = false;
    QTimer drain;
    QElapsedTimer clock;
    QHash<Topic, QJsonObject> published;
};
