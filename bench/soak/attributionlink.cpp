// SPDX-License-Identifier: GPL-3.0-or-later
#include "attributionlink.h"

#include "protocol/commandcodes.h"
#include "protocol/commandengine.h"

#include <utility>

namespace {

bool EngineTakes(const QByteArray &sent, const QByteArray &frame)
{
    if (sent.size() < kFrameHeadSize || frame.size() < 3)
        return false;
    const auto *bytes = reinterpret_cast<const quint8 *>(frame.constData());
    const int count = bytes[0] & 0x0F;
    if (frame.size() != kFrameHeadSize + count + 1)
        return false;
    const CommandCode code = FindCommand(quint8(sent.at(0)) >> 4, quint8(sent.at(1)));
    return ReplyFits(code, bytes[0], bytes[1]) &&
           FrameChecksum(bytes) == bytes[kFrameHeadSize + count];
}

} // namespace

qint16 AttributionLink::Send(quint32 &length, const quint8 *data, quint16 type)
{
    if (type == kPacketTypeFrame) {
        Finish();
        underWay = true;
        current = Exchange{};
        current.number = ++framesSent;
        current.sent = QByteArray(reinterpret_cast<const char *>(data), int(length));
    }
    return EthernetLink::Send(length, data, type);
}

qint16 AttributionLink::Read(quint32 &length, quint8 *destination, qint16 rec)
{
    PacketHeader header;
    ReadHeader(header, rec);
    const qint16 status = EthernetLink::Read(length, destination, rec);
    if (underWay && destination) {
        current.tag = quint32(header.words[3]) << 16 | header.words[4];
        current.taken.append(reinterpret_cast<const char *>(destination), int(length));
    }
    return status;
}

// The engine drops a frame that cannot be the reply and reads the next one.
void AttributionLink::DropPacket(qint16 rec)
{
    current.taken.clear();
    current.tag = 0;
    EthernetLink::DropPacket(rec);
}

void AttributionLink::Finish()
{
    if (!underWay)
        return;
    underWay = false;
    current.accepted = EngineTakes(current.sent, current.taken);
    finished.append(current);
}

QList<AttributionLink::Exchange> AttributionLink::TakeExchanges(bool finishCurrent)
{
    if (finishCurrent)
        Finish();
    return std::exchange(finished, {});
}
