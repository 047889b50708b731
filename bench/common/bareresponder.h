// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bare responder on its own thread: answers every datagram it receives on
// an address and port with the reply a function gives for it, as fast as a
// blocking socket allows. It stands for the cheapest possible recorder, the
// floor a benchmark sets the program's figures against.

#include <QByteArray>
#include <QHostAddress>
#include <QUdpSocket>

#include <atomic>
#include <functional>
#include <thread>

class BareResponder
{
public:
    using ReplyFor = std::function<QByteArray(const QByteArray &request)>;

    BareResponder(const QHostAddress &address, quint16 port, ReplyFor replyFor)
    {
        thread = std::thread([this, address, port, replyFor] { Serve(address, port, replyFor); });
        while (!ready)
            std::this_thread::yield();
    }
    ~BareResponder()
    {
        stop = true;
        thread.join();
    }

    BareResponder(const BareResponder &) = delete;
    BareResponder &operator=(const BareResponder &) = delete;

private:
    void Serve(const QHostAddress &address, quint16 port, const ReplyFor &replyFor)
    {
        QUdpSocket socket;
        socket.bind(address, port);
        ready = true;
        char buffer[2048];
        while (!stop) {
            if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(50))
                continue;
            QHostAddress from;
            quint16 fromPort = 0;
            const qint64 size = socket.readDatagram(buffer, sizeof buffer, &from, &fromPort);
            if (size >= 0)
                socket.writeDatagram(replyFor(QByteArray::fromRawData(buffer, int(size))), from,
                                     fromPort);
        }
    }

    std::atomic<bool> ready{false};
    std::atomic<bool> stop{false};
    std::thread thread;
};
