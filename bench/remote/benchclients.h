// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// WebSocket clients of the remote control on a thread of their own, as
// other programs on the same machine would be: they follow the time, note
// when each push arrives, and send a request when asked to, noting when it
// went and when its answer came.

#include "stamprelay.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QThread>
#include <QUrl>
#include <QWebSocket>

#include <atomic>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

// A time as the recorder sends it and as a push shows it.
using TimeKey = std::tuple<int, int, int, int>;

class BenchClients : public QThread
{
public:
    BenchClients(const QUrl &url, int count) : url(url), count(count) {}

    ~BenchClients() override
    {
        quit();
        wait();
    }

    // Connected and following the time.
    bool Ready() const { return subscribed == count; }

    // The first client sends one request; Sent and Answered tell when.
    void Request(const QByteArray &method)
    {
        answered = false;
        QMetaObject::invokeMethod(context, [this, method] {
            sentNs = NowNs();
            sockets.front()->sendTextMessage(
                QStringLiteral("{\"id\": 2, \"method\": \"%1\"}").arg(QLatin1String(method)));
        });
    }
    bool Answered() const { return answered; }
    qint64 SentNs() const { return sentNs; }

    // When each time first reached the first client.
    std::map<TimeKey, qint64> TimeArrivals()
    {
        QMutexLocker lock(&mutex);
        return arrivals;
    }
    int Pushes() const { return pushes; }

protected:
    void run() override
    {
        QObject local;
        context = &local;
        std::vector<std::unique_ptr<QWebSocket>> owned;
        for (int i = 0; i < count; ++i) {
            owned.push_back(std::make_unique<QWebSocket>());
            QWebSocket *socket = owned.back().get();
            sockets.push_back(socket);
            const bool first = i == 0;
            QObject::connect(socket, &QWebSocket::connected, socket, [socket] {
                socket->sendTextMessage(QStringLiteral("{\"id\": 1, \"method\": \"subscribe\", "
                                                       "\"params\": {\"topics\": [\"time\"]}}"));
            });
            QObject::connect(socket, &QWebSocket::textMessageReceived, socket,
                             [this, first](const QString &text) { Receive(text, first); });
            socket->open(url);
        }
        exec();
        context = nullptr;
    }

private:
    void Receive(const QString &text, bool first)
    {
        const qint64 arrival = NowNs();
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        const int id = message.value(QLatin1String("id")).toInt();
        if (id == 1)
            ++subscribed;
        if (id == 2 && first)
            answered = true;
        if (message.value(QLatin1String("topic")) != QLatin1String("time"))
            return;
        ++pushes;
        if (!first)
            return;
        const QJsonObject state = message.value(QLatin1String("state")).toObject();
        const TimeKey key{state.value(QLatin1String("hours")).toInt(),
                          state.value(QLatin1String("minutes")).toInt(),
                          state.value(QLatin1String("seconds")).toInt(),
                          state.value(QLatin1String("frames")).toInt()};
        QMutexLocker lock(&mutex);
        arrivals.emplace(key, arrival);
    }

    QUrl url;
    int count;
    QObject *context = nullptr;
    std::vector<QWebSocket *> sockets;
    std::atomic<int> subscribed{0};
    std::atomic<int> pushes{0};
    std::atomic<bool> answered{false};
    std::atomic<qint64> sentNs{0};
    QMutex mutex;
    std::map<TimeKey, qint64> arrivals;
};
