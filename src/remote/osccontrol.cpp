// SPDX-License-Identifier: GPL-3.0-or-later
#include "osccontrol.h"

#include "gateways/oscroutes.h"
#include "refusal.h"
#include "remotelog.h"
#include "topics.h"

#include <QDateTime>
#include <QJsonArray>

namespace {

constexpr int kSweepMs = 10 * 1000;

QString SenderKey(const QHostAddress &host, quint16 port)
{
    return host.toString() + QLatin1Char(':') + QString::number(port);
}

QJsonObject Failure(const QString &code, const QString &message)
{
    return {{"status", "error"}, {"error", QJsonObject{{"code", code}, {"message", message}}}};
}

QJsonObject Outcome(const Reply &reply)
{
    if (reply.refusal == Refusal::None)
        return {{"status", "ok"}, {"result", reply.result}};
    QString message = RefusalMessage(reply.refusal);
    if (!reply.detail.isEmpty())
        message += QStringLiteral(": ") + reply.detail;
    return Failure(RefusalCode(reply.refusal), message);
}

} // namespace

// One sender as a client of the core. Its requests carry a running number as
// id, by which the answer finds the address it replies for.
class OscControl::Sender : public ClientSink
{
public:
    Sender(OscServer &server, const QHostAddress &host, quint16 port)
        : server(server), host(host), port(port)
    {}

    void Answer(const Reply &reply) override
    {
        const QString path = paths.take(reply.id.toInteger());
        server.Send(host, port, OscReply(path, Outcome(reply)));
        if (reply.refusal == Refusal::None && reply.result.isObject() &&
            reply.result.toObject().contains(QLatin1String("topics")))
            following = !reply.result.toObject().value(QLatin1String("topics")).toArray().isEmpty();
    }

    void Push(Topic topic, const QJsonObject &state) override
    {
        for (const OscMessage &message : OscPushes(TopicName(topic), state))
            server.Send(host, port, message);
    }

    qint64 Submit(const QString &path)
    {
        paths.insert(next, path);
        // The core holds a few requests per client; the paths of requests
        // it answered stay bounded with them.
        constexpr int kKeptPaths = 64;
        if (paths.size() > kKeptPaths)
            paths.remove(paths.firstKey());
        return next++;
    }

    OscServer &server;
    QHostAddress host;
    quint16 port;
    ClientId id = 0;
    qint64 lastSeen = 0;
    bool following = false;
    QMap<qint64, QString> paths;
    qint64 next = 1;
};

OscControl::OscControl(ControlCore &core, RemoteLog &log, QObject *parent)
    : QObject(parent), core(core), log(log)
{
    connect(&server, &OscServer::Received, this, &OscControl::Receive);
    connect(&server, &OscServer::Refused, this, [this](const QString &address, const QString &why) {
        this->log.Add(QStringLiteral("osc %1 %2").arg(address, why));
    });
    sweep.setInterval(kSweepMs);
    connect(&sweep, &QTimer::timeout, this, &OscControl::LetIdleGo);
}

OscControl::~OscControl()
{
    Close();
}

bool OscControl::Listen(const QHostAddress &address, quint16 port, const PeerFilter &peers,
                        QString &error)
{
    Close();
    server.SetPeers(peers);
    if (!server.Listen(address, port, error))
        return false;
    sweep.start();
    return true;
}

void OscControl::Close()
{
    server.Close();
    sweep.stop();
    for (const auto &[key, sender] : senders)
        core.Detach(sender->id);
    senders.clear();
}

OscControl::Sender *OscControl::SenderFor(const QHostAddress &host, quint16 port)
{
    const QString key = SenderKey(host, port);
    const auto found = senders.find(key);
    if (found != senders.end())
        return found->second.get();
    if (int(senders.size()) >= kMaxSenders)
        LetIdleGo();
    if (int(senders.size()) >= kMaxSenders)
        return nullptr;
    auto sender = std::make_unique<Sender>(server, host, port);
    sender->id = core.Attach({QStringLiteral("osc"), key, false}, *sender);
    if (sender->id == 0)
        return nullptr;
    log.Add(QStringLiteral("osc %1 connected").arg(key));
    return senders.emplace(key, std::move(sender)).first->second.get();
}

void OscControl::Receive(const OscMessage &message, const QHostAddress &host, quint16 port)
{
    const OscRoute route = RouteOsc(message);
    if (route.kind == OscRoute::Kind::Invalid) {
        server.Send(host, port,
                    OscReply(message.path, Failure(RefusalCode(Refusal::BadRequest), route.fault)));
        return;
    }
    Sender *sender = SenderFor(host, port);
    if (!sender) {
        server.Send(host, port,
                    OscReply(message.path, Failure(RefusalCode(Refusal::Busy),
                                                   QStringLiteral("too many OSC senders"))));
        return;
    }
    sender->lastSeen = QDateTime::currentMSecsSinceEpoch();
    const qint64 id = sender->Submit(message.path);
    if (route.kind == OscRoute::Kind::Command) {
        core.Submit(sender->id, {id, route.method, route.params});
        return;
    }
    QJsonArray topics;
    for (const QString &topic : route.topics)
        topics.append(topic);
    if (topics.isEmpty()) {
        for (const Topic topic : AllTopics())
            topics.append(TopicName(topic));
    }
    const bool subscribe = route.kind == OscRoute::Kind::Subscribe;
    core.Submit(sender->id,
                {id,
                 QLatin1String(subscribe ? ControlCore::kSubscribe : ControlCore::kUnsubscribe),
                 {{"topics", topics}}});
}

void OscControl::LetIdleGo()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (auto it = senders.begin(); it != senders.end();) {
        if (!it->second->following && now - it->second->lastSeen >= kIdleMs) {
            core.Detach(it->second->id);
            it = senders.erase(it);
        } else {
            ++it;
        }
    }
}
