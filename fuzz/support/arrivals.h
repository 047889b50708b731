// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

class FuzzInput;

// What reaches the program's side of a link during a case: bytes from the
// recorder, or from another host, each a number of milliseconds after the one
// before it. The clock of the script starts at the case's first send.
struct Arrival
{
    quint64 atMs = 0;   // from the first send
    bool stray = false; // from a host that is not the recorder (datagrams only)
    QByteArray bytes;   // a datagram, header included, or a piece of the serial stream
};

// Reads a script from the rest of an input, one arrival after another:
//   control byte: bit 0 from another host, bit 1 put a frame header (type 1,
//     the payload's length) in front of the bytes, bit 2 a long datagram,
//     bit 3 an information block (its header, the bytes cut or padded with
//     zeros to 512)
//   delay byte: milliseconds after the previous arrival
//   length byte: the bytes that follow (times 8 for a long datagram)
// For a serial stream the control bits do not apply.
QList<Arrival> ReadArrivals(FuzzInput &in, bool datagrams);

// The arrivals of one case in time order, handed out as the time reaches
// them.
class ArrivalSchedule
{
public:
    void Reset(QList<Arrival> arrivals);
    // The script's clock starts at the first call; later calls change nothing.
    void Start(quint64 nowMs);
    // The arrivals due by now, taken out of the schedule.
    QList<Arrival> TakeDue(quint64 nowMs);
    // When the next arrival is due; none left gives the largest time.
    quint64 NextDueMs() const;

private:
    QList<Arrival> pending;
    bool started = false;
    quint64 startMs = 0;
};
