// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtEndian>

// Words on the wire are big-endian. Peer addresses and packet header words are
// kept in network order and converted only at the socket calls.
inline quint16 HostToNet16(quint16 value)
{
    return qToBigEndian(value);
}

inline quint16 NetToHost16(quint16 value)
{
    return qFromBigEndian(value);
}

inline quint32 HostToNet32(quint32 value)
{
    return qToBigEndian(value);
}

inline quint32 NetToHost32(quint32 value)
{
    return qFromBigEndian(value);
}
