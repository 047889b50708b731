// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlcore.h"

#include <QObject>
#include <QString>

class QWebSocket;

// One client of the WebSocket API, attached to the core. Each text message is
// a request {"id", "method", "params"}; the core's answer goes back as
// {"id", "result"} or {"id", "error": {"code", "message"}}, a pushed state as
// {"topic", "state"}. The client is dropped, with a reason in the close frame
// and the log, when it leaves more than a bounded amount of what was sent to
// it unread, or stops answering pings.
class WebSocketClient : public QObject, public ClientSink
{
    Q_OBJECT

public:
    struct Limits
    {
        qint64 maxMessageBytes = 64 * 1024;
        qint64 maxUnsentBytes = 1024 * 1024;
        int missedPongsAllowed = 3;
    };

    // Takes the socket over; `id` is its attachment to the core.
    WebSocketClient(QWebSocket *socket, ControlCore &core, RemoteLog &log, const QString &address,
                    const Limits &limits, QObject *parent);
    ~WebSocketClient() override;

    void Attach(ClientId client) { id = client; }
    // Pings, and drops the client when its answers stopped.
    void Ping();
    // Closes with a reason for the client and the log.
    void Drop(const QString &reason);

    void Answer(const Reply &reply) override;
    void Push(Topic topic, const QJsonObject &state) override;

private:
    void OnText(const QString &message);
    void OnBinary();
    void OnDisconnected();
    void Send(const QJsonObject &message);
    void Leave();

    QWebSocket *socket;
    ControlCore &core;
    RemoteLog &log;
    QString address;
    Limits limits;
    ClientId id = 0;
    int missedPongs = 0;
    bool dropping = false;
};
