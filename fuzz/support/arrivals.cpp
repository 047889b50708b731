// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrivals.h"

#include "fuzzinput.h"

#include <limits>

namespace {

// Enough for every exchange of a case many times over; a longer script adds
// nothing but time.
constexpr int kMaxArrivals = 32;
constexpr int kLongDatagramFactor = 8;
constexpr int kBlockPayloadSize = 512;

QByteArray FrameDatagram(const QByteArray &payload)
{
    const int length = int(payload.size());
    QByteArray datagram(10, '\0');
    datagram[1] = 1; // a 9-pin frame
    datagram[2] = char(length >> 8);
    datagram[3] = char(length & 0xFF);
    return datagram + payload;
}

// The header of the recorder's information block: type 3, 512 payload bytes,
// request code 1.
QByteArray BlockDatagram(QByteArray payload)
{
    payload.resize(kBlockPayloadSize, '\0');
    return QByteArray("\x00\x03\x02\x00\x00\x01\x00\x00\x00\x00", 10) + payload;
}

} // namespace

QList<Arrival> ReadArrivals(FuzzInput &in, bool datagrams)
{
    QList<Arrival> arrivals;
    quint64 at = 0;
    while (!in.AtEnd() && arrivals.size() < kMaxArrivals) {
        const quint8 control = in.Byte();
        at += in.Byte();
        size_t length = in.Byte();
        Arrival arrival;
        arrival.atMs = at;
        if (datagrams) {
            arrival.stray = control & 0x01;
            if (control & 0x04)
                length *= kLongDatagramFactor;
        }
        arrival.bytes = in.Bytes(length);
        if (datagrams && (control & 0x08))
            arrival.bytes = BlockDatagram(arrival.bytes);
        else if (datagrams && (control & 0x02))
            arrival.bytes = FrameDatagram(arrival.bytes);
        arrivals.append(arrival);
    }
    return arrivals;
}

void ArrivalSchedule::Reset(QList<Arrival> arrivals)
{
    pending = std::move(arrivals);
    started = false;
    startMs = 0;
}

void ArrivalSchedule::Start(quint64 nowMs)
{
    if (started)
        return;
    started = true;
    startMs = nowMs;
}

QList<Arrival> ArrivalSchedule::TakeDue(quint64 nowMs)
{
    QList<Arrival> due;
    while (started && !pending.isEmpty() && startMs + pending.first().atMs <= nowMs)
        due.append(pending.takeFirst());
    return due;
}

quint64 ArrivalSchedule::NextDueMs() const
{
    if (!started || pending.isEmpty())
        return std::numeric_limits<quint64>::max();
    return startMs + pending.first().atMs;
}
