// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The bytes every link puts on the wire and takes off it, for whoever
// records them (a session recording, the traffic monitor). The links tell
// the taps what they send and receive, and what became of bytes they threw
// away unread.

enum class WireDirection : quint8 {
    Out, // from the program to a recorder
    In,  // from a recorder (or from anywhere) to the program
};

// What became of received bytes. Sent bytes are always Taken.
enum class WireFate : quint8 {
    Taken, // handed to the program
    Stale, // thrown away unread: input waiting when a command began
    Stray, // a datagram from another host than the recorder being commanded
    Runt,  // a datagram too short to hold its header
};

struct WireEvent
{
    quint64 timeUs = 0; // MonotonicUs
    WireDirection direction = WireDirection::Out;
    WireFate fate = WireFate::Taken;
    quint16 portId = 0;    // the link: 0 first serial port, 1 second, 2 Ethernet
    quint32 peerIp = 0;    // Ethernet: the recorder, or the sender of what came in (host order)
    quint16 peerPort = 0;  // Ethernet: its UDP port
    quint16 localPort = 0; // Ethernet: the program's own UDP port
    // A datagram whole (header included), or on a serial line the bytes of
    // one write or one read.
    const quint8 *bytes = nullptr;
    int size = 0;
};

class WireTap
{
public:
    virtual ~WireTap() = default;
    // Called on the thread that drives the link (the GUI thread).
    virtual void OnWire(const WireEvent &event) = 0;
};

constexpr int kMaxWireTaps = 4;

// Adds a tap; false when kMaxWireTaps are already listening.
bool AddWireTap(WireTap *tap);
void RemoveWireTap(WireTap *tap);

// The number of taps listening. The links build no event while it is 0.
extern int wireTapCount;

inline bool WireTapped()
{
    return wireTapCount > 0;
}

// Stamps the event with the time and hands it to every tap.
void NotifyWireTaps(WireEvent &event);
