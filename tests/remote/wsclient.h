// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QWebSocket>

// A client of the WebSocket API as a test drives it: opens, sends requests
// and waits for their answers, keeps the pushes, and notes how the server
// closed it.
//
//   WsClient client;
//   QVERIFY(client.Open(Url("127.0.80.1")));
//   QJsonObject answer = client.Request("transport.play");
class WsClient
{
public:
    WsClient()
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &text) {
            const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
            if (message.contains(QLatin1String("topic")))
                pushes << message;
            else
                answers << message;
        });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] { closed = true; });
    }

    // True once connected; false when the server refused or closed it.
    bool Open(const QUrl &url, const QByteArray &bearer = QByteArray())
    {
        QNetworkRequest request(url);
        if (!bearer.isEmpty())
            request.setRawHeader("Authorization", "Bearer " + bearer);
        socket.open(request);
        const auto connected = [this] { return socket.state() == QAbstractSocket::ConnectedState; };
        return QTest::qWaitFor([&] { return connected() || closed; }, 3000) && connected();
    }

    // Sends a request and waits for its answer (an empty object when none
    // came).
    QJsonObject Request(const QString &method, const QJsonObject &params = {})
    {
        const int id = ++lastId;
        Send(QJsonObject{{"id", id}, {"method", method}, {"params", params}});
        return AnswerTo(id);
    }

    void Send(const QJsonObject &message)
    {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    }

    QJsonObject AnswerTo(const QJsonValue &id)
    {
        QJsonObject found;
        (void)QTest::qWaitFor(
            [&] {
                for (const QJsonObject &answer : answers) {
                    if (answer.value(QLatin1String("id")) == id)
                        found = answer;
                }
                return !found.isEmpty();
            },
            3000);
        return found;
    }

    QJsonObject NextAnswer()
    {
        const int before = handled;
        (void)QTest::qWaitFor([&] { return answers.size() > before; }, 3000);
        return answers.size() > before ? answers.at(handled++) : QJsonObject();
    }

    bool WaitClosed(int ms = 3000)
    {
        return QTest::qWaitFor([this] { return closed; }, ms);
    }

    static QString ErrorCode(const QJsonObject &answer)
    {
        return answer.value(QLatin1String("error"))
            .toObject()
            .value(QLatin1String("code"))
            .toString();
    }

    QWebSocket socket;
    QList<QJsonObject> answers;
    QList<QJsonObject> pushes;
    bool closed = false;

private:
    int lastId = 0;
    int handled = 0;
};

inline QUrl ApiUrl(const char *address, const QString &path = QStringLiteral("/v1"))
{
    return QUrl(QStringLiteral("ws://%1:9180%2").arg(QLatin1String(address), path));
}

// A client that opens the connection by hand and then reads nothing: not
// what it is sent, not the pings. Its buffers are kept small, so that what
// the server sends soon piles up on the server's side.
class DeafClient
{
public:
    bool Open(const char *address, const QJsonObject &request)
    {
        // Qt would otherwise read on into memory of its own, without end.
        socket.setReadBufferSize(1024);
        socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
        socket.connectToHost(QLatin1String(address), 9180);
        if (!socket.waitForConnected(3000))
            return false;
        socket.write(QByteArray("GET /v1 HTTP/1.1\r\nHost: ") + address +
                     ":9180\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                     "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                     "Sec-WebSocket-Version: 13\r\n\r\n");
        QByteArray head;
        if (!QTest::qWaitFor(
                [&] {
                    head += socket.readAll();
                    return head.contains("\r\n\r\n");
                },
                3000) ||
            !head.startsWith("HTTP/1.1 101"))
            return false;
        socket.write(MaskedText(QJsonDocument(request).toJson(QJsonDocument::Compact)));
        return socket.waitForBytesWritten(1000);
    }

    bool Closed() const { return socket.state() != QAbstractSocket::ConnectedState; }

    QTcpSocket socket;

private:
    // A client's frames are masked; the key is arbitrary.
    static QByteArray MaskedText(const QByteArray &payload)
    {
        const char key[4] = {0x12, 0x34, 0x56, 0x78};
        QByteArray frame;
        frame.append(char(0x81));
        if (payload.size() < 126) {
            frame.append(char(0x80 | payload.size()));
        } else {
            frame.append(char(0x80 | 126));
            frame.append(char(payload.size() >> 8));
            frame.append(char(payload.size() & 0xFF));
        }
        frame.append(key, 4);
        for (int i = 0; i < payload.size(); ++i)
            frame.append(char(payload.at(i) ^ key[i % 4]));
        return frame;
    }
};
