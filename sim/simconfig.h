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
};

} // namespace xrsim
