// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace xrsim {

// The recorder's side of the serial line's output: bytes go out one after
// another at the line's speed, each written to the pseudo-terminal when its
// stop bit would have left a real UART. A thread of its own sleeps to the
// microsecond for that; the simulator's event loop, with its millisecond
// timers, could not keep the pace.
class SerialTransmitter
{
public:
    explicit SerialTransmitter(int fd);
    ~SerialTransmitter();
    SerialTransmitter(const SerialTransmitter &) = delete;
    SerialTransmitter &operator=(const SerialTransmitter &) = delete;

    // Sends the bytes, the first starting at `startNs` (LineNowNs) or as soon
    // as the line is free after it. Any thread.
    void Send(const QByteArray &bytes, qint64 startNs);

private:
    struct Piece
    {
        QByteArray bytes;
        qint64 startNs;
    };

    void Run();
    void Transmit(const Piece &piece);
    void Write(const char *bytes, qsizetype count);

    const int fd;
    std::mutex mutex;
    std::condition_variable queued;
    std::deque<Piece> pieces;
    bool stopping = false;
    qint64 lineFreeNs = 0; // when the last byte sent has left the line
    std::thread thread;
};

} // namespace xrsim
