// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bare socket on its own thread between the window and its recorder,
// telling a watcher of every datagram as it arrives, with the time of its
// arrival: the window's datagrams go on to the recorder, the recorder's back
// to the window. Without a recorder it echoes every datagram to its sender,
// a bare peer to measure the floor against. The watcher runs on the relay's
// thread.

#include "link/ethernetlink.h"

#include <QByteArray>
#include <QHostAddress>
#include <QUdpSocket>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

inline qint64 NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class StampRelay
{
public:
    using Watch =
        std::function<void(const QByteArray &datagram, bool fromRecorder, qint64 arrivalNs)>;

    StampRelay(const QHostAddress &address, const QHostAddress &recorder, Watch watch)
        : address(address), recorder(recorder), watch(std::move(watch))
    {
        thread = std::thread([this] { Serve(); });
        while (!ready)
            std::this_thread::yield();
    }
    ~StampRelay()
    {
        stop = true;
        thread.join();
    }

    StampRelay(const StampRelay &) = delete;
    StampRelay &operator=(const StampRelay &) = delete;

private:
    void Serve()
    {
        QUdpSocket socket;
        socket.bind(address, EthernetLink::kRecorderPort);
        ready = true;
        QHostAddress window;
        quint16 windowPort = 0;
        char buffer[2048];
        while (!stop) {
            if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(50))
                continue;
            QHostAddress from;
            quint16 port = 0;
            const qint64 size = socket.readDatagram(buffer, sizeof buffer, &from, &port);
            const qint64 arrival = NowNs();
            if (size < 0)
                continue;
            const QByteArray datagram(buffer, int(size));
            const bool fromRecorder = !recorder.isNull() && from == recorder;
            watch(datagram, fromRecorder, arrival);
            if (recorder.isNull()) {
                socket.writeDatagram(datagram, from, port);
            } else if (fromRecorder) {
                socket.writeDatagram(datagram, window, windowPort);
            } else {
                window = from;
                windowPort = port;
                socket.writeDatagram(datagram, recorder, EthernetLink::kRecorderPort);
            }
        }
    }

    QHostAddress address;
    QHostAddress recorder;
    Watch watch;
    std::atomic<bool> ready{false};
    std::atomic<bool> stop{false};
    std::thread thread;
};
