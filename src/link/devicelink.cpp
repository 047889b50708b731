// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicelink.h"

#include "linkstatus.h"
#include "timing.h"

#include <QThread>

#include <algorithm>

DeviceLink::DeviceLink(quint16 portId) : portId(portId) {}

DeviceLink::~DeviceLink() = default;

qint16 DeviceLink::AddAddress(const PeerAddress &)
{
    return 0;
}

qint16 DeviceLink::FindAddress(const PeerAddress &) const
{
    return 0;
}

void DeviceLink::ClearAddress(qint16) {}

qint16 DeviceLink::Open()
{
    return kStatusOk;
}

qint16 DeviceLink::AllocRecord(qint16 &rec, quint32)
{
    rec = 0;
    return kStatusOk;
}

qint16 DeviceLink::Poll(quint32 &count, qint16)
{
    count = 0;
    return kStatusOk;
}

// Waits until the record holds at least `wanted` bytes. A failing poll ends
// the wait with 0. On a shortfall the link waits a further 48 ms (a reply in
// flight is then dropped with the record rather than mistaken for the next
// one) and releases the record, so what arrived is gone.
quint32 DeviceLink::WaitFor(qint16 rec, quint32 timeout, qint16 wanted)
{
    const quint64 start = NowMs();
    const quint32 want = static_cast<quint32>(std::max<qint16>(wanted, 0));
    quint32 count = 0;
    for (quint64 elapsed = 0; elapsed < timeout && count < want; elapsed = ElapsedMs(start)) {
        if (Poll(count, rec) != kStatusOk) {
            Release(rec);
            return 0;
        }
        if (count >= want)
            break;
        const quint64 now = ElapsedMs(start);
        if (now < timeout)
            WaitForInput(static_cast<quint32>(timeout - now));
    }
    if (count >= want)
        return count;
    DelayMs(kShortfallExtraMs);
    Release(rec);
    return count;
}

qint16 DeviceLink::ReadHeader(PacketHeader &, qint16)
{
    return kStatusOk;
}

qint16 DeviceLink::Read(quint32 &, quint8 *, qint16)
{
    return kStatusOk;
}

qint16 DeviceLink::Release(qint16)
{
    return kStatusOk;
}

qint16 DeviceLink::ReleaseAll()
{
    return kStatusOk;
}

// Reads one headed packet whose payload is at most maxLength bytes.
qint16 DeviceLink::Receive(qint16 rec, quint8 *destination, quint32 maxLength, PacketHeader &header)
{
    const quint32 n = WaitFor(rec, timeoutMs, static_cast<qint16>(maxLength + kPacketHeaderSize));
    if (n < maxLength + kPacketHeaderSize)
        return kStatusLinkError;
    quint32 length = std::min(n - kPacketHeaderSize, maxLength);
    qint16 status = Read(length, destination, rec);
    if (status == kStatusOk)
        status = ReadHeader(header, rec);
    Release(rec);
    return status;
}

qint16 DeviceLink::SendWithHeader(quint32 &, const quint8 *, const PacketHeader &)
{
    return kStatusOk;
}

qint16 DeviceLink::Send(quint32 &, const quint8 *, quint16)
{
    return kStatusOk;
}

qint16 DeviceLink::Close()
{
    return kStatusOk;
}

qint16 DeviceLink::SendBlock(BlockPacket &)
{
    return kStatusOk;
}

qint16 DeviceLink::ReadBlock(BlockPacket &)
{
    return kStatusOk;
}

qint16 DeviceLink::UseAddress(const PeerAddress &addr)
{
    return FindAddress(addr);
}

void DeviceLink::DropPacket(qint16) {}

void DeviceLink::WaitForInput(quint32 milliseconds)
{
    QThread::msleep(std::min<quint32>(milliseconds, 1));
}
