// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlcore.h"
#include "gateways/oscserver.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

// OSC on the remote control core: each sender (address and port) is a
// client of the core, attached at its first message, so that its commands
// pass the same guards and log as every other client's and its
// subscriptions are its own. Every command is answered with /tavrel/reply;
// a subscribed sender receives the state messages at each change. A sender
// that follows nothing and has been quiet for a minute is let go; a bounded
// number of senders is served at once.
class OscControl : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxSenders = 16;
    static constexpr qint64 kIdleMs = 60 * 1000;

    OscControl(ControlCore &core, RemoteLog &log, QObject *parent = nullptr);
    ~OscControl() override;

    bool Listen(const QHostAddress &address, quint16 port, const PeerFilter &peers, QString &error);
    void Close();
    void SetPeers(const PeerFilter &peers) { server.SetPeers(peers); }
    bool Listening() const { return server.Listening(); }
    QHostAddress Address() const { return server.Address(); }
    quint16 Port() const { return server.Port(); }
    int Senders() const { return int(senders.size()); }

private:
    class Sender;

    void Receive(const OscMessage &message, const QHostAddress &host, quint16 port);
    Sender *SenderFor(const QHostAddress &host, quint16 port);
    void LetIdleGo();

    ControlCore &core;
    RemoteLog &log;
    OscServer server;
    std::map<QString, std::unique_ptr<Sender>> senders;
    QTimer sweep;
};
