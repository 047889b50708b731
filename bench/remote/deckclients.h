// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Deck-protocol clients of the gateway on a thread of their own, as a
// switcher or Companion on the same machine would be: each asks for
// transport and display timecode notifications; the first sends a request
// when asked to and notes when it went, when its answer came and when each
// transport notification arrived with the status it carried.

#include "stamprelay.h"

#include <QHostAddress>
#include <QMutex>
#include <QTcpSocket>
#include <QThread>

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

class DeckClients : public QThread
{
public:
    DeckClients(const QHostAddress &address, quint16 port, int count)
        : address(address), port(port), count(count)
    {}

    ~DeckClients() override
    {
        quit();
        wait();
    }

    bool Ready() const { return ready == count; }

    void Request(const QByteArray &line)
    {
        answered = false;
        QMetaObject::invokeMethod(context, [this, line] {
            sentNs = NowNs();
            sockets.front()->write(line + "\r\n");
        });
    }
    bool Answered() const { return answered; }
    qint64 SentNs() const { return sentNs; }
    int Notifications() const { return notifications; }

    // The arrival of each 508 at the first client with its status.
    std::vector<std::pair<QByteArray, qint64>> TransportChanges()
    {
        QMutexLocker lock(&mutex);
        return changes;
    }

protected:
    void run() override
    {
        QObject local;
        context = &local;
        std::vector<std::unique_ptr<QTcpSocket>> owned;
        for (int i = 0; i < count; ++i) {
            owned.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket *socket = owned.back().get();
            sockets.push_back(socket);
            const bool first = i == 0;
            QObject::connect(socket, &QTcpSocket::connected, socket, [socket] {
                socket->write("notify: transport: true display timecode: true\r\n");
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket, first] { Receive(*socket, first); });
            socket->connectToHost(address, port);
        }
        exec();
        context = nullptr;
    }

private:
    void Receive(QTcpSocket &socket, bool first)
    {
        const qint64 arrival = NowNs();
        while (socket.canReadLine()) {
            const QByteArray line = socket.readLine().trimmed();
            if (line.startsWith("508 "))
                ++notifications;
            if (line.startsWith("513 "))
                ++notifications;
            if (line == "200 ok" && !first)
                ++ready;
            if (!first)
                continue;
            if (line == "200 ok") {
                if (!seenOk) {
                    seenOk = true;
                    ++ready;
                } else {
                    answered = true;
                }
            }
            inTransport = line.startsWith("508 ") || (inTransport && !line.isEmpty());
            if (inTransport && line.startsWith("status: ")) {
                QMutexLocker lock(&mutex);
                changes.emplace_back(line.mid(8), arrival);
            }
        }
    }

    QHostAddress address;
    quint16 port;
    int count;
    QObject *context = nullptr;
    std::vector<QTcpSocket *> sockets;
    std::atomic<int> ready{0};
    std::atomic<int> notifications{0};
    std::atomic<bool> answered{false};
    std::atomic<qint64> sentNs{0};
    bool seenOk = false;
    bool inTransport = false;
    QMutex mutex;
    std::vector<std::pair<QByteArray, qint64>> changes;
};
