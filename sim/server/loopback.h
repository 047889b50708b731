// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QUdpSocket>

namespace xrsim {

// The simulator talks to nothing but the local host: IPv4 127.0.0.0/8.
inline bool IsLoopbackV4(const QHostAddress &address)
{
    bool ok = false;
    const quint32 ip = address.toIPv4Address(&ok);
    return ok && (ip >> 24) == 127;
}

// Binds a front end's socket to a loopback address and port of its own;
// false with the reason in `error`.
inline bool BindLoopback(QUdpSocket &socket, const QHostAddress &address, quint16 port,
                         QString *error)
{
    if (!IsLoopbackV4(address)) {
        *error = QStringLiteral("%1 is not a loopback address").arg(address.toString());
        return false;
    }
    if (!socket.bind(address, port, QAbstractSocket::DontShareAddress)) {
        *error = QStringLiteral("cannot bind %1:%2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(socket.errorString());
        return false;
    }
    return true;
}

} // namespace xrsim
