// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctlclient.h"

#include "ctloutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QTextStream>
#include <QUrl>

namespace {

constexpr int kRequestId = 1;

QString Compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

CtlClient::CtlClient(const Options &options, const CtlCommand &command, QTextStream &out,
                     QTextStream &err, QObject *parent)
    : QObject(parent), options(options), command(command), out(out), err(err)
{
    timeout.setSingleShot(true);
    timeout.setInterval(options.timeoutMs);
    connect(&timeout, &QTimer::timeout, this, [this] {
        Finish(1,
               QStringLiteral("no answer from tavrel at %1:%2")
                   .arg(this->options.host)
                   .arg(this->options.port),
               true);
    });
    connect(&socket, &QWebSocket::connected, this, &CtlClient::OnConnected);
    connect(&socket, &QWebSocket::textMessageReceived, this, &CtlClient::OnMessage);
    connect(&socket, &QWebSocket::disconnected, this, &CtlClient::OnDisconnected);
    connect(&socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), this, [this] {
        if (!connected)
            Unreachable();
    });
}

void CtlClient::Start()
{
    QUrl url;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(options.host);
    url.setPort(options.port);
    url.setPath(QStringLiteral("/v1"));
    QNetworkRequest request(url);
    if (!options.token.isEmpty())
        request.setRawHeader("Authorization", "Bearer " + options.token.toUtf8());
    timeout.start();
    socket.open(request);
}

// A watch subscribes instead; its answer is the topics followed.
void CtlClient::OnConnected()
{
    connected = true;
    QJsonObject request{{"id", kRequestId}};
    if (command.watchTopics.isEmpty()) {
        request.insert(QStringLiteral("method"), command.method);
        request.insert(QStringLiteral("params"), command.params);
    } else {
        request.insert(QStringLiteral("method"), QStringLiteral("subscribe"));
        request.insert(QStringLiteral("params"),
                       QJsonObject{{"topics", QJsonArray::fromStringList(command.watchTopics)}});
    }
    socket.sendTextMessage(Compact(request));
}

void CtlClient::OnMessage(const QString &text)
{
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    if (message.contains(QLatin1String("topic")))
        OnPush(message);
    else if (message.value(QLatin1String("id")).toInt() == kRequestId)
        OnReply(message);
}

void CtlClient::OnReply(const QJsonObject &message)
{
    timeout.stop();
    const QJsonValue error = message.value(QLatin1String("error"));
    if (error.isObject()) {
        Finish(1, options.json ? Compact(message) : ErrorLine(error.toObject()), !options.json);
        return;
    }
    if (command.watchTopics.isEmpty())
        Finish(0,
               options.json ? Compact(message)
                            : ResultLine(command.method, message.value(QLatin1String("result"))),
               false);
}

// Each change prints the whole status line anew.
void CtlClient::OnPush(const QJsonObject &message)
{
    if (command.watchTopics.isEmpty())
        return;
    if (options.json) {
        out << Compact(message) << Qt::endl;
        return;
    }
    watched.insert(message.value(QLatin1String("topic")).toString(),
                   message.value(QLatin1String("state")));
    out << StatusLine(watched) << Qt::endl;
}

// Before the connection was up, tavrel was not reached at all.
void CtlClient::OnDisconnected()
{
    if (finished)
        return;
    if (!connected) {
        Unreachable();
        return;
    }
    QString reason = socket.closeReason();
    if (reason.isEmpty())
        reason = socket.errorString();
    Finish(1,
           QStringLiteral("tavrel at %1:%2 closed the connection: %3")
               .arg(options.host)
               .arg(options.port)
               .arg(reason),
           true);
}

void CtlClient::Unreachable()
{
    Finish(1,
           QStringLiteral("cannot reach tavrel at %1:%2: %3")
               .arg(options.host)
               .arg(options.port)
               .arg(socket.errorString()),
           true);
}

void CtlClient::Finish(int status, const QString &line, bool toError)
{
    if (finished)
        return;
    finished = true;
    timeout.stop();
    (toError ? err : out) << line << Qt::endl;
    socket.close();
    emit Finished(status);
}
