// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trafficsink.h"

#include <QtGlobal>

// The UDP traffic as a pcapng file that Wireshark and tcpdump open: each
// datagram as a raw IPv4 packet with its UDP header, between the program's
// port and the recorder's port 32896, time-stamped in microseconds. Frames
// sent carry the command's name as the packet's comment. A serial line has
// no datagrams and is left out. The program's own address is not known to
// the socket (it takes whatever interface routes to the recorder): it shows
// as 127.0.0.1 towards loopback recorders and as 0.0.0.0 otherwise.
class PcapngSink : public TrafficSink
{
public:
    // `startUs` (MonotonicUs) is the moment `startedMsSinceEpoch` on the
    // wall clock.
    PcapngSink(quint64 startUs, qint64 startedMsSinceEpoch);

    QByteArray Begin(int part) override;
    QByteArray Record(const WireEvent &event) override;
    QByteArray Finish() override;

private:
    quint64 startUs;
    quint64 epochUs;
};
