// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire/packetheader.h"

#include <QtEndian>

namespace xrsim {

QByteArray PacketHeader::Encode() const
{
    QByteArray bytes(kSize, '\0');
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    const quint16 words[] = {type, length, word2, word3, word4};
    for (int i = 0; i < 5; ++i)
        qToBigEndian(words[i], out + 2 * i);
    return bytes;
}

bool PacketHeader::Decode(const QByteArray &bytes, PacketHeader *out)
{
    if (bytes.size() < kSize)
        return false;
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    out->type = qFromBigEndian<quint16>(in);
    out->length = qFromBigEndian<quint16>(in + 2);
    out->word2 = qFromBigEndian<quint16>(in + 4);
    out->word3 = qFromBigEndian<quint16>(in + 6);
    out->word4 = qFromBigEndian<quint16>(in + 8);
    return true;
}

QByteArray PacketHeader::Wrap(quint16 type, const QByteArray &payload, quint32 tag)
{
    PacketHeader header;
    header.type = type;
    header.length = quint16(payload.size());
    header.word3 = quint16(tag >> 16);
    header.word4 = quint16(tag & 0xFFFF);
    return header.Encode() + payload;
}

} // namespace xrsim
