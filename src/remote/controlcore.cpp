// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlcore.h"

#include "controltarget.h"
#include "remotelog.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

constexpr qint64 kSecondMs = 1000;
// The longest parameter text the log keeps of one request.
constexpr int kLoggedParams = 200;

Reply RefusedReply(const Request &request, Refusal refusal, const QString &detail = QString())
{
    Reply reply;
    reply.id = request.id;
    reply.refusal = refusal;
    reply.detail = detail;
    return reply;
}

// "topics": ["time", "transport"] or "topic": "time".
bool TopicsOf(const QJsonObject &params, QList<Topic> &topics, QString &fault)
{
    QJsonArray names = params.value(QLatin1String("topics")).toArray();
    if (params.value(QLatin1String("topic")).isString())
        names.append(params.value(QLatin1String("topic")));
    if (names.isEmpty()) {
        fault = QStringLiteral("give \"topics\", a list of topic names");
        return false;
    }
    for (const QJsonValue &name : names) {
        Topic topic = Topic::Time;
        if (!TopicByName(name.toString(), topic)) {
            fault = QStringLiteral("no topic named %1").arg(name.toString());
            return false;
        }
        topics << topic;
    }
    return true;
}

} // namespace

ControlCore::ControlCore(ControlTarget &target, RemoteLog &log, QObject *parent)
    : QObject(parent), target(target), log(log)
{
    clock.start();
    drain.setSingleShot(true);
    drain.setInterval(0);
    connect(&drain, &QTimer::timeout, this, &ControlCore::RunNext);
}

void ControlCore::SetTimeRate(int pushesPerSecond)
{
    timeRate = std::clamp(pushesPerSecond, 1, kMaxTimeRate);
}

ClientId ControlCore::Attach(const ClientInfo &info, ClientSink &sink)
{
    if (ClientCount() >= limits.maxClients)
        return 0;
    const ClientId id = nextId++;
    Client &client = clients[id];
    client.info = info;
    client.sink = &sink;
    emit ClientsChanged(ClientCount());
    return id;
}

// What the client still had waiting is dropped unrun: nobody would hear
// how it went.
void ControlCore::Detach(ClientId id)
{
    if (clients.erase(id) == 0)
        return;
    queue.erase(std::remove_if(queue.begin(), queue.end(),
                               [id](const Queued &queued) { return queued.client == id; }),
                queue.end());
    emit ClientsChanged(ClientCount());
}

ControlCore::Client *ControlCore::Find(ClientId id)
{
    const auto found = clients.find(id);
    return found == clients.end() ? nullptr : &found->second;
}

void ControlCore::Answer(ClientId id, const Reply &reply)
{
    if (Client *client = Find(id))
        client->sink->Answer(reply);
}

void ControlCore::Submit(ClientId id, const Request &request)
{
    Client *client = Find(id);
    if (!client)
        return;
    if (request.method == QLatin1String(kSubscribe) ||
        request.method == QLatin1String(kUnsubscribe)) {
        Subscribe(id, request, request.method == QLatin1String(kSubscribe));
        return;
    }
    const Command *command = FindCommand(request.method);
    Refusal refusal = Refusal::None;
    if (!command)
        refusal = Refusal::UnknownMethod;
    else if (command->access == Access::Control && client->info.readOnly)
        refusal = Refusal::ReadOnly;
    else if (client->queued >= limits.maxQueuedPerClient || int(queue.size()) >= limits.maxQueued)
        refusal = Refusal::Busy;
    if (refusal != Refusal::None) {
        const Reply reply = RefusedReply(request, refusal);
        Log(*client, request, reply);
        client->sink->Answer(reply);
        return;
    }
    ++client->queued;
    queue.push_back({id, request, command});
    drain.start();
}

// A new follower receives the topic's present state at once; from then on
// it receives each change.
void ControlCore::Subscribe(ClientId id, const Request &request, bool subscribe)
{
    QList<Topic> topics;
    QString fault;
    if (!TopicsOf(request.params, topics, fault)) {
        Answer(id, RefusedReply(request, Refusal::BadValue, fault));
        return;
    }
    Client &client = *Find(id);
    QList<Topic> added;
    for (const Topic topic : topics) {
        if (subscribe && !client.topics.contains(topic)) {
            client.topics.insert(topic);
            added << topic;
        } else if (!subscribe) {
            client.topics.remove(topic);
        }
    }
    QJsonArray following;
    for (const Topic topic : AllTopics()) {
        if (client.topics.contains(topic))
            following.append(TopicName(topic));
    }
    Reply reply;
    reply.id = request.id;
    reply.result = QJsonObject{{"topics", following}};
    client.sink->Answer(reply);
    for (const Topic topic : added) {
        const QJsonObject state = TopicState(topic, target);
        if (Followers(topic).size() == 1)
            published.insert(topic, state);
        if (Client *stillThere = Find(id)) {
            if (topic == Topic::Time)
                CountTimePush(*stillThere, clock.elapsed());
            stillThere->sink->Push(topic, state);
        }
    }
}

// One command per turn of the event loop, so that the polling ticks and the
// operator's keys come between commands.
void ControlCore::RunNext()
{
    // A command that turned the event loop (a wait of the window's) must not
    // have the next one run in its middle; it goes once this one is done.
    if (running || queue.empty())
        return;
    const Queued queued = queue.front();
    queue.pop_front();
    if (Client *client = Find(queued.client)) {
        --client->queued;
        running = true;
        const Reply reply = Run(queued);
        running = false;
        if ((client = Find(queued.client)) != nullptr) {
            Log(*client, queued.request, reply);
            client->sink->Answer(reply);
        }
        if (queued.command->access == Access::Control)
            Publish();
    }
    if (!queue.empty())
        drain.start();
}

// The window's own guards are in the command; the core adds that nothing
// runs while long work or a dialog holds the window, whose keys cannot be
// pressed then either.
Reply ControlCore::Run(const Queued &queued)
{
    if (target.WindowBusy())
        return RefusedReply(queued.request, Refusal::LongWork);
    Params params(queued.request.params);
    const CommandOutcome outcome = queued.command->run(target, params, policy);
    Reply reply = RefusedReply(queued.request, outcome.refusal, outcome.detail);
    reply.result = outcome.result;
    return reply;
}

void ControlCore::Log(const Client &client, const Request &request, const Reply &reply)
{
    QString params =
        QString::fromUtf8(QJsonDocument(request.params).toJson(QJsonDocument::Compact));
    if (params.size() > kLoggedParams)
        params = params.left(kLoggedParams) + QStringLiteral("...");
    QString outcome =
        reply.refusal == Refusal::None ? QStringLiteral("ok") : RefusalCode(reply.refusal);
    if (!reply.detail.isEmpty())
        outcome += QStringLiteral(" (%1)").arg(reply.detail);
    log.Add(QStringLiteral("%1 %2 %3 %4 %5: %6")
                .arg(client.info.transport, client.info.address,
                     client.info.readOnly ? QStringLiteral("read-only") : QStringLiteral("control"),
                     request.method.left(kLoggedParams), params, outcome));
}

QList<ClientId> ControlCore::Followers(Topic topic) const
{
    QList<ClientId> followers;
    for (const auto &[id, client] : clients) {
        if (client.topics.contains(topic))
            followers << id;
    }
    return followers;
}

void ControlCore::Publish()
{
    for (const Topic topic : AllTopics()) {
        const QList<ClientId> followers = Followers(topic);
        if (followers.isEmpty())
            published.remove(topic);
        else
            PublishTopic(topic, followers);
    }
}

void ControlCore::PublishRead(Topic topic)
{
    const QList<ClientId> followers = Followers(topic);
    if (!followers.isEmpty())
        PublishTopic(topic, followers);
}

// Time changes at every poll while the recorder moves; each client receives
// it as often as the operator allows, and the latest time once the
// recorder stands still.
void ControlCore::PublishTopic(Topic topic, const QList<ClientId> &followers)
{
    const QJsonObject state = TopicState(topic, target);
    const bool changed = state != published.value(topic);
    if (changed)
        published.insert(topic, state);
    if (topic == Topic::Time) {
        if (changed) {
            for (const ClientId id : followers)
                Find(id)->timePending = true;
        }
        PushPendingTimes(followers);
        return;
    }
    if (!changed)
        return;
    for (const ClientId id : followers) {
        if (Client *client = Find(id))
            client->sink->Push(topic, state);
    }
}

void ControlCore::PushPendingTimes(const QList<ClientId> &followers)
{
    const qint64 now = clock.elapsed();
    const QJsonObject state = published.value(Topic::Time);
    for (const ClientId id : followers) {
        Client *client = Find(id);
        if (!client || !client->timePending || !TimePushAllowed(*client, now))
            continue;
        client->timePending = false;
        CountTimePush(*client, now);
        client->sink->Push(Topic::Time, state);
    }
}

void ControlCore::CountTimePush(Client &client, qint64 now) const
{
    client.timePushes.push_back(now);
    while (int(client.timePushes.size()) > timeRate)
        client.timePushes.pop_front();
}

// At most `timeRate` pushes in any second, and none closer to the last one
// than half the even spacing, so that a low rate is not spent in a burst.
bool ControlCore::TimePushAllowed(const Client &client, qint64 now) const
{
    if (client.timePushes.empty())
        return true;
    if (now - client.timePushes.back() < kSecondMs / timeRate / 2)
        return false;
    return int(client.timePushes.size()) < timeRate || now - client.timePushes.front() >= kSecondMs;
}
