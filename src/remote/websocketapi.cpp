// SPDX-License-Identifier: GPL-3.0-or-later
#include "websocketapi.h"

#include "controlcore.h"
#include "remotelog.h"

#include <QNetworkRequest>
#include <QTimer>
#include <QUrlQuery>
#include <QWebSocket>

namespace {

// A refused client that does not take its close frame is cut off after this.
constexpr int kCloseGraceMs = 2000;

} // namespace

WebSocketApi::WebSocketApi(ControlCore &core, RemoteLog &log, QObject *parent)
    : QObject(parent), core(core), log(log),
      server(QStringLiteral("Tavrel"), QWebSocketServer::NonSecureMode)
{
    clock.start();
    server.setHandshakeTimeout(kHandshakeMs);
    connect(&server, &QWebSocketServer::newConnection, this, &WebSocketApi::OnNewConnection);
    pings.setInterval(kPingMs);
    connect(&pings, &QTimer::timeout, this, &WebSocketApi::PingAll);
}

// The clients leave the core while the listener still stands: their leaving
// is announced, and whoever shows the count may still read the address.
WebSocketApi::~WebSocketApi()
{
    pings.stop();
    qDeleteAll(findChildren<WebSocketClient *>(Qt::FindDirectChildrenOnly));
}

bool WebSocketApi::Listen(const QHostAddress &address, quint16 port, QString &error)
{
    Close();
    if (!server.listen(address, port)) {
        error = server.errorString();
        return false;
    }
    pings.start();
    return true;
}

// The clients go with the listener.
void WebSocketApi::Close()
{
    pings.stop();
    if (server.isListening())
        server.close();
    for (WebSocketClient *client : findChildren<WebSocketClient *>(Qt::FindDirectChildrenOnly))
        client->Drop(QStringLiteral("remote control switched off"));
}

void WebSocketApi::SetTokens(const QString &token, const QString &readOnlyToken)
{
    gate.SetTokens(token, readOnlyToken);
}

void WebSocketApi::OnNewConnection()
{
    while (QWebSocket *socket = server.nextPendingConnection())
        Admit(socket);
}

void WebSocketApi::Admit(QWebSocket *socket)
{
    const QString address =
        QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
    if (socket->requestUrl().path() != QLatin1String(kPath)) {
        Refuse(socket, address, QStringLiteral("no API at this path; use %1").arg(kPath));
        return;
    }
    const AuthGate::Verdict verdict =
        gate.Check(socket->peerAddress(), PresentedToken(*socket), clock.elapsed());
    if (verdict == AuthGate::Verdict::Refused) {
        Refuse(socket, address, QStringLiteral("wrong or missing token"));
        return;
    }
    if (verdict == AuthGate::Verdict::LockedOut) {
        Refuse(socket, address, QStringLiteral("too many wrong tokens; wait a minute"));
        return;
    }
    ClientInfo info;
    info.transport = QStringLiteral("websocket");
    info.address = address;
    info.readOnly = verdict == AuthGate::Verdict::ReadOnly;
    auto *client = new WebSocketClient(socket, core, log, address, clientLimits, this);
    const ClientId id = core.Attach(info, *client);
    if (id == 0) {
        client->Drop(QStringLiteral("too many clients"));
        return;
    }
    client->Attach(id);
    log.Add(
        QStringLiteral("websocket %1 connected (%2)")
            .arg(address, info.readOnly ? QStringLiteral("read-only") : QStringLiteral("control")));
}

void WebSocketApi::Refuse(QWebSocket *socket, const QString &address, const QString &reason)
{
    log.Add(QStringLiteral("websocket %1 refused: %2").arg(address, reason));
    socket->setParent(this);
    connect(socket, &QWebSocket::disconnected, socket, &QObject::deleteLater);
    socket->close(QWebSocketProtocol::CloseCodePolicyViolated, reason);
    QTimer::singleShot(kCloseGraceMs, socket, &QWebSocket::abort);
}

void WebSocketApi::PingAll()
{
    for (WebSocketClient *client : findChildren<WebSocketClient *>(Qt::FindDirectChildrenOnly))
        client->Ping();
}

QString PresentedToken(const QWebSocket &socket)
{
    static const QByteArray kBearer("Bearer ");
    const QByteArray authorization = socket.request().rawHeader("Authorization");
    if (authorization.startsWith(kBearer))
        return QString::fromUtf8(authorization.mid(kBearer.size())).trimmed();
    return QUrlQuery(socket.requestUrl())
        .queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded);
}
