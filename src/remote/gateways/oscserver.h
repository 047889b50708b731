// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "oscmessage.h"
#include "peerfilter.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

// OSC over UDP: one socket on the address and port the operator chose, from
// which every message is received and every reply and push sent. Datagrams
// from senders not allowed, and those that are no OSC message, are dropped;
// each such sender is reported at most once a minute, so that a flood does
// not flood the log too. Datagrams are taken a batch at a time, giving the
// event loop (and the recorder's polling) its turn between batches.
class OscServer : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 9181;
    static constexpr qint64 kMaxDatagram = 8192;
    static constexpr int kBatch = 64;

    explicit OscServer(QObject *parent = nullptr);

    bool Listen(const QHostAddress &address, quint16 port, QString &error);
    void Close();
    bool Listening() const { return socket.state() == QAbstractSocket::BoundState; }
    quint16 Port() const { return socket.localPort(); }
    QHostAddress Address() const { return socket.localAddress(); }
    void SetPeers(const PeerFilter &filter) { peers = filter; }

    void Send(const QHostAddress &host, quint16 port, const OscMessage &message);

signals:
    void Received(const OscMessage &message, const QHostAddress &host, quint16 port);
    // A sender whose datagram was dropped, for the log.
    void Refused(const QString &address, const QString &reason);

private:
    void ReadBatch();
    void Report(const QHostAddress &host, quint16 port, const QString &reason);

    QUdpSocket socket;
    PeerFilter peers;
    QHash<QString, qint64> reported;
    bool batchScheduled = false;
};
