// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace xrsim {

// The 10-byte header in front of every datagram of the Ethernet link: five
// big-endian 16-bit words, type, payload length and three further words.
// Type 1 carries a 9-pin frame, type 3 a block packet, whose third word is
// its request code.
struct PacketHeader
{
    static constexpr int kSize = 10;
    static constexpr quint16 kFrameType = 1;
    static constexpr quint16 kBlockType = 3;

    quint16 type = 0;
    quint16 length = 0;
    quint16 word2 = 0;
    quint16 word3 = 0;
    quint16 word4 = 0;

    QByteArray Encode() const;
    // False when bytes are shorter than a header.
    static bool Decode(const QByteArray &bytes, PacketHeader *out);
    // A headed datagram of the given type around a payload. The last two
    // words carry `tag`, high word first (zero but for a soak's truth log).
    static QByteArray Wrap(quint16 type, const QByteArray &payload, quint32 tag = 0);
};

} // namespace xrsim
