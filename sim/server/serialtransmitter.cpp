// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/serialtransmitter.h"

#include "server/serialline.h"
#include "server/simlog.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <sys/prctl.h>
#include <unistd.h>

namespace xrsim {

namespace {

void SleepUntil(qint64 ns)
{
    const timespec until{time_t(ns / 1000000000), long(ns % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

} // namespace

qint64 LineNowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

SerialTransmitter::SerialTransmitter(int fd) : fd(fd), thread([this] { Run(); }) {}

SerialTransmitter::~SerialTransmitter()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    queued.notify_one();
    thread.join();
}

void SerialTransmitter::Send(const QByteArray &bytes, qint64 startNs)
{
    if (bytes.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        pieces.push_back({bytes, startNs});
    }
    queued.notify_one();
}

void SerialTransmitter::Run()
{
    // The kernel may otherwise let a sleep run 50 us long, a sixth of a byte.
    prctl(PR_SET_TIMERSLACK, 1UL);
    while (true) {
        Piece piece;
        {
            std::unique_lock<std::mutex> lock(mutex);
            queued.wait(lock, [this] { return stopping || !pieces.empty(); });
            if (stopping)
                return;
            piece = pieces.front();
            pieces.pop_front();
        }
        Transmit(piece);
    }
}

// Each byte is written when it has wholly left the line; bytes that fell
// due together (the thread woke late) go out in one write.
void SerialTransmitter::Transmit(const Piece &piece)
{
    const qint64 start = std::max(piece.startNs, lineFreeNs);
    qsizetype sent = 0;
    while (sent < piece.bytes.size()) {
        SleepUntil(start + SerialLine::WireNs(sent + 1));
        const qint64 now = LineNowNs();
        qsizetype due = (now - start) / SerialLine::kByteNs;
        due = std::clamp<qsizetype>(due, sent + 1, piece.bytes.size());
        Write(piece.bytes.constData() + sent, due - sent);
        sent = due;
    }
    lineFreeNs = start + SerialLine::WireNs(piece.bytes.size());
}

void SerialTransmitter::Write(const char *bytes, qsizetype count)
{
    qsizetype done = 0;
    while (done < count) {
        const ssize_t written = ::write(fd, bytes + done, size_t(count - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EAGAIN) {
            // The client is not reading; a real line would lose the bytes.
            qCWarning(lcSim) << "serial line: the client reads nothing, bytes lost";
            return;
        }
        if (written <= 0) {
            qCWarning(lcSim) << "serial reply lost:" << QString::fromLocal8Bit(strerror(errno));
            return;
        }
        done += written;
    }
}

} // namespace xrsim
