// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deckconnection.h"
#include "peerfilter.h"

#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QTcpServer>

// The deck gateway's TCP listener. Unlike the recorders whose protocol it
// speaks, it serves many clients at once, up to a bound; a client beyond the
// bound, or from an address not allowed, gets "120 connection rejected" and
// is closed. Each admitted client is handed on as a DeckConnection, which
// the server deletes after it closed.
class DeckServer : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 9993;
    static constexpr int kDefaultMaxClients = 32;

    explicit DeckServer(QObject *parent = nullptr);

    // Listens anew; false with the reason when the address cannot be taken.
    bool Listen(const QHostAddress &address, quint16 port, QString &error);
    void Close();
    bool Listening() const { return server.isListening(); }
    quint16 Port() const { return server.serverPort(); }
    QHostAddress Address() const { return server.serverAddress(); }

    void SetPeers(const PeerFilter &filter) { peers = filter; }
    void SetMaxClients(int count) { maxClients = count; }
    void SetLimits(const DeckConnection::Limits &limits) { this->limits = limits; }
    int Clients() const { return int(connections.size()); }

signals:
    void Connected(DeckConnection *connection);
    // A client turned away, for the log.
    void Refused(const QString &address, const QString &reason);

private:
    void OnNewConnection();
    void Reject(QTcpSocket *socket, const QString &reason);

    QTcpServer server;
    PeerFilter peers;
    int maxClients = kDefaultMaxClients;
    DeckConnection::Limits limits;
    QSet<DeckConnection *> connections;
};
