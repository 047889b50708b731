// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scenario.h"

#include <QHostAddress>

namespace xrsim {

// Where the simulated recorder listens and what it is.
struct SimConfig
{
    // The port the application sends every datagram to (0x8080).
    static constexpr quint16 kDefaultPort = 32896;

    // Must be an IPv4 loopback address (127.0.0.0/8).
    QHostAddress address{QHostAddress::LocalHost};
    quint16 port = kDefaultPort;
    // Serve the UDP link.
    bool udp = true;
    // Also serve the serial link on a pseudo-terminal.
    bool pty = false;
    Scenario scenario;
    // A session recording to answer from instead of the recorder model
    // (UDP only); empty for none.
    QString replayFile;
    // The recorder of the recording to play (its link or address); empty
    // for the one with the most frames.
    QString replayRecorder;
    // Answer at once instead of with the recorded delays.
    bool replayFast = false;
};

} // namespace xrsim
