// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "authgate.h"
#include "websocketclient.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QWebSocketServer>

class ControlCore;
class RemoteLog;

// The WebSocket API: clients connect to ws://<address>:<port>/v1, presenting
// a token as "Authorization: Bearer <token>" or "?token=<token>" where one is
// needed, and then send requests and receive answers and pushed states as
// JSON text messages (docs/remote.md). A client on another path, with a
// wrong or missing token, or beyond the number of clients the core serves is
// closed at once with the reason, which the log keeps too.
class WebSocketApi : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kPath = "/v1";
    static constexpr int kPingMs = 5000;
    static constexpr int kHandshakeMs = 5000;

    WebSocketApi(ControlCore &core, RemoteLog &log, QObject *parent = nullptr);
    ~WebSocketApi() override;

    // Listens anew; false with the reason when the address cannot be taken.
    bool Listen(const QHostAddress &address, quint16 port, QString &error);
    void Close();
    bool IsListening() const { return server.isListening(); }
    QHostAddress Address() const { return server.serverAddress(); }
    quint16 Port() const { return server.serverPort(); }

    void SetTokens(const QString &token, const QString &readOnlyToken);
    void SetLimits(const WebSocketClient::Limits &limits) { clientLimits = limits; }
    void SetPingInterval(int ms) { pings.setInterval(ms); }

private:
    void OnNewConnection();
    void Admit(QWebSocket *socket);
    void Refuse(QWebSocket *socket, const QString &address, const QString &reason);
    void PingAll();

    ControlCore &core;
    RemoteLog &log;
    QWebSocketServer server;
    AuthGate gate;
    WebSocketClient::Limits clientLimits;
    QTimer pings;
    QElapsedTimer clock;
};

// The token a client presented in its opening handshake: the bearer token of
// its Authorization header, else its "token" query item, else none.
QString PresentedToken(const QWebSocket &socket);
