// SPDX-License-Identifier: GPL-3.0-or-later
#include "websocketclient.h"

#include "remotelog.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QTimer>
#include <QWebSocket>

namespace {

// A dropped client that does not take its close frame is cut off after this.
constexpr int kCloseGraceMs = 2000;

QJsonObject ErrorMessage(const QJsonValue &id, Refusal refusal, const QString &detail)
{
    QString message = RefusalMessage(refusal);
    if (!detail.isEmpty())
        message += QStringLiteral(": ") + detail;
    return {{"id", id},
            {"error", QJsonObject{{"code", RefusalCode(refusal)}, {"message", message}}}};
}

// A request as the client sent it, or the reason it is none.
bool ReadRequest(const QString &text, Request &request, QString &fault)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        fault =
            QStringLiteral("malformed JSON at %1: %2").arg(error.offset).arg(error.errorString());
        return false;
    }
    if (!document.isObject()) {
        fault = QStringLiteral("a request is a JSON object");
        return false;
    }
    const QJsonObject object = document.object();
    request.id = object.value(QLatin1String("id"));
    if (request.id.isUndefined())
        request.id = QJsonValue::Null;
    const QJsonValue method = object.value(QLatin1String("method"));
    const QJsonValue params = object.value(QLatin1String("params"));
    if (!method.isString()) {
        fault = QStringLiteral("\"method\" must be a text");
        return false;
    }
    if (!params.isUndefined() && !params.isObject()) {
        fault = QStringLiteral("\"params\" must be an object");
        return false;
    }
    request.method = method.toString();
    request.params = params.toObject();
    return true;
}

} // namespace

WebSocketClient::WebSocketClient(QWebSocket *socket, ControlCore &core, RemoteLog &log,
                                 const QString &address, const Limits &limits, QObject *parent)
    : QObject(parent), socket(socket), core(core), log(log), address(address), limits(limits)
{
    socket->setParent(this);
    socket->setMaxAllowedIncomingMessageSize(quint64(limits.maxMessageBytes));
    socket->setMaxAllowedIncomingFrameSize(quint64(limits.maxMessageBytes));
    socket->setReadBufferSize(limits.maxMessageBytes);
    connect(socket, &QWebSocket::textMessageReceived, this, &WebSocketClient::OnText);
    connect(socket, &QWebSocket::binaryMessageReceived, this, &WebSocketClient::OnBinary);
    connect(socket, &QWebSocket::pong, this, [this] { missedPongs = 0; });
    connect(socket, &QWebSocket::disconnected, this, &WebSocketClient::OnDisconnected);
}

WebSocketClient::~WebSocketClient()
{
    Leave();
}

void WebSocketClient::Leave()
{
    if (id != 0)
        core.Detach(std::exchange(id, 0));
}

void WebSocketClient::OnText(const QString &message)
{
    if (dropping)
        return;
    Request request;
    QString fault;
    if (!ReadRequest(message, request, fault)) {
        log.Add(QStringLiteral("websocket %1 bad request: %2").arg(address, fault));
        Send(ErrorMessage(request.id, Refusal::BadRequest, fault));
        return;
    }
    core.Submit(id, request);
}

void WebSocketClient::OnBinary()
{
    if (!dropping)
        Send(ErrorMessage(QJsonValue(), Refusal::BadRequest,
                          QStringLiteral("requests are text messages")));
}

void WebSocketClient::Answer(const Reply &reply)
{
    if (reply.refusal != Refusal::None)
        Send(ErrorMessage(reply.id, reply.refusal, reply.detail));
    else
        Send({{"id", reply.id}, {"result", reply.result}});
}

void WebSocketClient::Push(Topic topic, const QJsonObject &state)
{
    Send({{"topic", TopicName(topic)}, {"state", state}});
}

// The message leaves at once: a push made in the middle of a polling tick
// would otherwise wait in the socket's buffer until the tick ends. What a
// client leaves unread piles up here, not in the kernel; past the limit the
// client goes rather than the program's memory.
void WebSocketClient::Send(const QJsonObject &message)
{
    if (dropping)
        return;
    socket->sendTextMessage(
        QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    socket->flush();
    if (socket->bytesToWrite() > limits.maxUnsentBytes)
        Drop(QStringLiteral("too slow: %1 bytes sent to it are still unread")
                 .arg(socket->bytesToWrite()));
}

void WebSocketClient::Ping()
{
    if (dropping)
        return;
    if (missedPongs >= limits.missedPongsAllowed) {
        Drop(QStringLiteral("no answer to %1 pings").arg(missedPongs));
        return;
    }
    ++missedPongs;
    socket->ping();
}

// The client leaves the core at once: nothing more is run for it or sent to
// it. A client that does not take the close frame is cut off shortly after.
void WebSocketClient::Drop(const QString &reason)
{
    if (dropping)
        return;
    dropping = true;
    log.Add(QStringLiteral("websocket %1 dropped: %2").arg(address, reason));
    Leave();
    socket->close(QWebSocketProtocol::CloseCodePolicyViolated, reason);
    QTimer::singleShot(kCloseGraceMs, socket, &QWebSocket::abort);
}

void WebSocketClient::OnDisconnected()
{
    if (!dropping)
        log.Add(QStringLiteral("websocket %1 left (%2)")
                    .arg(address, socket->closeReason().isEmpty()
                                      ? QStringLiteral("code %1").arg(socket->closeCode())
                                      : socket->closeReason()));
    Leave();
    deleteLater();
}
