// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>

namespace xrsim {

// The simulator talks to nothing but the local host: IPv4 127.0.0.0/8.
inline bool IsLoopbackV4(const QHostAddress &address)
{
    bool ok = false;
    const quint32 ip = address.toIPv4Address(&ok);
    return ok && (ip >> 24) == 127;
}

} // namespace xrsim
