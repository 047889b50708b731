// SPDX-License-Identifier: GPL-3.0-or-later
#include "ethernetlink.h"

#include "byteorder.h"
#include "linkstatus.h"
#include "timing.h"
#include "wiretap.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QThread>
#include <QUdpSocket>

#include <algorithm>
#include <cstring>

namespace {

void WriteHeader(quint8 *out, const PacketHeader &header)
{
    for (size_t i = 0; i < header.words.size(); ++i) {
        const quint16 word = HostToNet16(header.words[i]);
        std::memcpy(out + 2 * i, &word, sizeof word);
    }
}

// Recorders answer on the local network, never through a proxy. Left to
// the system's proxy settings, every bind looks them up (reading the
// services database each time), and the link binds a new socket after
// every exchange.
std::unique_ptr<QUdpSocket> NewSocket()
{
    auto socket = std::make_unique<QUdpSocket>();
    socket->setProxy(QNetworkProxy::NoProxy);
    return socket;
}

} // namespace

EthernetLink::EthernetLink() : DeviceLink(kPortId), socket(NewSocket())
{
    errorCount = 3;
    currentAddress = -1;
}

EthernetLink::~EthernetLink() = default;

qint16 EthernetLink::AddAddress(const PeerAddress &addr)
{
    if (addr.IsEmpty())
        return -1;
    const qint16 existing = FindAddress(addr);
    if (existing >= 0)
        return existing;
    const auto free = std::find_if(peers.begin(), peers.end(),
                                   [](const PeerAddress &peer) { return peer.IsEmpty(); });
    if (free == peers.end())
        return -1;
    *free = addr;
    return static_cast<qint16>(free - peers.begin());
}

qint16 EthernetLink::FindAddress(const PeerAddress &addr) const
{
    const auto found = std::find(peers.begin(), peers.end(), addr);
    return found == peers.end() ? -1 : static_cast<qint16>(found - peers.begin());
}

// Only the peer being commanded needs its entry: the others are looked up
// again before each of their commands. Which entry is given up hardly
// matters; taking them in turn spreads the churn.
qint16 EthernetLink::UseAddress(const PeerAddress &addr)
{
    const qint16 index = AddAddress(addr);
    if (index >= 0 || addr.IsEmpty())
        return index;
    const qint16 reused = static_cast<qint16>(nextReusedPeer);
    nextReusedPeer = (nextReusedPeer + 1) % kPeerCount;
    peers[reused] = addr;
    return reused;
}

void EthernetLink::ClearAddress(qint16 index)
{
    if (index >= 0 && index < kPeerCount)
        peers[index] = PeerAddress::Empty();
}

// The socket takes any free local port; replies come back to it. Binding here
// rather than at the first send lets a wait sleep on the socket from the start.
qint16 EthernetLink::Open()
{
    if (socket->state() != QAbstractSocket::BoundState)
        socket->bind(QHostAddress::AnyIPv4, 0);
    opened = 1;
    return kStatusOk;
}

qint16 EthernetLink::AllocRecord(qint16 &rec, quint32)
{
    rec = -1;
    const auto free = std::find_if(records.begin(), records.end(),
                                   [](const ReceiveRecord &r) { return !r.buffer; });
    if (free == records.end())
        return kStatusLinkError;
    free->buffer.reset(new (std::nothrow) quint8[kRecordSize]());
    if (!free->buffer)
        return kStatusLinkError;
    free->offset = 0;
    free->size = 0;
    free->hasData = 0;
    rec = static_cast<qint16>(free - records.begin());
    return kStatusOk;
}

// Takes the next reply of the peer being commanded into the record. Only a
// datagram from that peer's address with at least a whole header counts:
// strays from other hosts and runts are dropped, so they can neither be taken
// for the reply nor block it.
qint16 EthernetLink::Poll(quint32 &count, qint16 rec)
{
    count = 0;
    ReceiveRecord *record = RecordAt(rec);
    if (!record)
        return kStatusLinkError;
    if (record->hasData) {
        count = record->size - record->offset;
        return kStatusOk;
    }
    if (!record->buffer)
        return kStatusOk; // a free record takes nothing; the datagram waits
    const qint64 size = TakePeerDatagram(record->buffer.get(), kRecordSize);
    if (size < 0)
        return kStatusOk;
    record->size = static_cast<quint32>(std::min<qint64>(size, kRecordSize));
    record->hasData = 1;
    count = record->size;
    return kStatusOk;
}

qint16 EthernetLink::ReadHeader(PacketHeader &header, qint16 rec)
{
    const ReceiveRecord *record = RecordAt(rec);
    if (!record || !record->buffer)
        return kStatusOk;
    for (size_t i = 0; i < header.words.size(); ++i) {
        quint16 word;
        std::memcpy(&word, record->buffer.get() + 2 * i, sizeof word);
        header.words[i] = NetToHost16(word);
    }
    return kStatusOk;
}

// Copies payload bytes from the record. Never past the datagram that was
// received: a reply announcing more data than it carries comes up short here.
qint16 EthernetLink::Read(quint32 &length, quint8 *destination, qint16 rec)
{
    ReceiveRecord *record = RecordAt(rec);
    if (!record || !record->buffer || !record->hasData) {
        length = 0;
        return kStatusOk;
    }
    const quint32 payload = record->size - kPacketHeaderSize;
    const quint32 left = payload > record->offset ? payload - record->offset : 0;
    length = std::min(length, left);
    if (destination && length > 0)
        std::memcpy(destination, record->buffer.get() + kPacketHeaderSize + record->offset, length);
    record->offset += length;
    return kStatusOk;
}

// Frees the record. Whatever else waits on the socket, or is still on its
// way to it, belongs to an exchange that is over: a reply that came after its
// command gave up, or a second copy of one. Of the same kind as the reply the
// next command awaits, it would pass for that reply; so once the link has
// sent from its port it moves to a new one, and nothing addressed to the old
// port can ever be read again.
qint16 EthernetLink::Release(qint16 rec)
{
    ReceiveRecord *record = RecordAt(rec);
    if (!record)
        return kStatusLinkError;
    record->offset = 0;
    record->buffer.reset();
    // A recording still tells what the old port held before it goes.
    if (WireTapped())
        DiscardPendingDatagrams();
    if (!sentFromThisPort || !MoveToNewPort())
        DiscardPendingDatagrams();
    return kStatusOk;
}

qint16 EthernetLink::ReleaseAll()
{
    for (qint16 rec = 0; rec < kRecordCount; ++rec)
        Release(rec);
    return kStatusOk;
}

qint16 EthernetLink::SendWithHeader(quint32 &length, const quint8 *data, const PacketHeader &header)
{
    if (length > static_cast<quint32>(kRecordSize - kPacketHeaderSize))
        return kStatusLinkError;
    quint8 datagram[kRecordSize];
    WriteHeader(datagram, header);
    const quint32 payload = data ? length : 0;
    if (payload > 0)
        std::memcpy(datagram + kPacketHeaderSize, data, payload);
    return SendDatagram(datagram, kPacketHeaderSize + payload);
}

qint16 EthernetLink::Send(quint32 &length, const quint8 *data, quint16 type)
{
    PacketHeader header;
    header.words = {type, static_cast<quint16>(length), 0, 0, 0};
    return SendWithHeader(length, data, header);
}

qint16 EthernetLink::Close()
{
    ReleaseAll();
    socket->close();
    opened = 0;
    return kStatusOk;
}

// The caller fills words 2-4 of the header and the payload; the link sets
// the packet type and the payload length.
qint16 EthernetLink::SendBlock(BlockPacket &packet)
{
    const quint8 length = packet.bytes[kBlockLengthOffset];
    const quint16 type = HostToNet16(kPacketTypeBlock);
    const quint16 payload = HostToNet16(length);
    std::memcpy(packet.bytes.data(), &type, sizeof type);
    std::memcpy(packet.bytes.data() + 2, &payload, sizeof payload);
    return SendDatagram(packet.bytes.data(), kPacketHeaderSize + length);
}

// A block reply is exactly a header and 512 payload bytes; anything else is
// left waiting and reported as -1.
qint16 EthernetLink::ReadBlock(BlockPacket &destination)
{
    std::fill_n(destination.bytes.begin(), kPacketHeaderSize, 0);
    DelayMs(kBlockReadDelayMs);
    quint8 scratch[kRecordSize];
    if (TakePeerDatagram(scratch, kRecordSize) != kBlockReplySize)
        return -1;
    std::memcpy(destination.bytes.data(), scratch, kBlockReplySize);
    return kStatusOk;
}

// The datagram in the record is forgotten; the buffer stays, so the next
// poll takes the next datagram into it.
void EthernetLink::DropPacket(qint16 rec)
{
    ReceiveRecord *record = RecordAt(rec);
    if (!record)
        return;
    record->size = 0;
    record->offset = 0;
    record->hasData = 0;
}

void EthernetLink::Reserved() {}

quint16 EthernetLink::LocalPort() const
{
    return socket->localPort();
}

void EthernetLink::WaitForInput(quint32 milliseconds)
{
    if (socket->state() != QAbstractSocket::BoundState || socket->hasPendingDatagrams())
        QThread::msleep(1);
    else
        socket->waitForReadyRead(static_cast<int>(milliseconds));
}

EthernetLink::ReceiveRecord *EthernetLink::RecordAt(qint16 rec)
{
    return rec >= 0 && rec < kRecordCount ? &records[rec] : nullptr;
}

const PeerAddress *EthernetLink::CurrentPeer() const
{
    if (currentAddress < 0 || currentAddress >= kPeerCount || peers[currentAddress].IsEmpty())
        return nullptr;
    return &peers[currentAddress];
}

bool EthernetLink::FromCurrentPeer(quint32 senderIp) const
{
    const PeerAddress *peer = CurrentPeer();
    return peer && NetToHost32(peer->ip) == senderIp;
}

// Reads waiting datagrams until one comes from the peer being commanded and
// holds at least a header; others are dropped. Copies at most `capacity`
// bytes (the rest of a longer datagram is lost) and returns the datagram's
// own size, or -1 when nothing fit to take was waiting.
qint64 EthernetLink::TakePeerDatagram(quint8 *buffer, qint64 capacity)
{
    while (socket->hasPendingDatagrams()) {
        const qint64 size = socket->pendingDatagramSize();
        QHostAddress sender;
        quint16 senderPort = 0;
        const qint64 taken =
            socket->readDatagram(reinterpret_cast<char *>(buffer), capacity, &sender, &senderPort);
        const WireFate fate = FateOf(taken, sender.toIPv4Address(), WireFate::Taken);
        if (WireTapped())
            TapIncoming(fate, sender.toIPv4Address(), senderPort, buffer, taken);
        if (fate == WireFate::Taken)
            return std::max(size, taken);
    }
    return -1;
}

// The new socket is bound before the old one closes, so its port differs;
// the old socket goes with whatever waits on it. False, the old socket kept,
// when no port is free.
bool EthernetLink::MoveToNewPort()
{
    std::unique_ptr<QUdpSocket> fresh = NewSocket();
    if (!fresh->bind(QHostAddress::AnyIPv4, 0))
        return false;
    socket = std::move(fresh);
    sentFromThisPort = false;
    return true;
}

// Without a tap the datagrams go unread; with one they are read to be told.
void EthernetLink::DiscardPendingDatagrams()
{
    while (socket->hasPendingDatagrams()) {
        if (!WireTapped()) {
            socket->readDatagram(nullptr, 0);
            continue;
        }
        quint8 scratch[kRecordSize];
        QHostAddress sender;
        quint16 senderPort = 0;
        const qint64 taken = socket->readDatagram(reinterpret_cast<char *>(scratch), kRecordSize,
                                                  &sender, &senderPort);
        TapIncoming(FateOf(taken, sender.toIPv4Address(), WireFate::Stale), sender.toIPv4Address(),
                    senderPort, scratch, taken);
    }
}

WireFate EthernetLink::FateOf(qint64 taken, quint32 senderIp, WireFate fromPeer) const
{
    if (taken < kPacketHeaderSize)
        return WireFate::Runt;
    return FromCurrentPeer(senderIp) ? fromPeer : WireFate::Stray;
}

void EthernetLink::TapIncoming(WireFate fate, quint32 senderIp, quint16 senderPort,
                               const quint8 *bytes, qint64 size)
{
    WireEvent event;
    event.direction = WireDirection::In;
    event.fate = fate;
    event.portId = portId;
    event.peerIp = senderIp;
    event.peerPort = senderPort;
    event.localPort = socket->localPort();
    event.bytes = bytes;
    event.size = static_cast<int>(std::max<qint64>(size, 0));
    NotifyWireTaps(event);
}

qint16 EthernetLink::SendDatagram(const quint8 *bytes, qint64 size)
{
    const PeerAddress *peer = CurrentPeer();
    if (!peer)
        return kStatusLinkError;
    const qint64 sent = socket->writeDatagram(reinterpret_cast<const char *>(bytes), size,
                                              QHostAddress(NetToHost32(peer->ip)), kRecorderPort);
    if (sent != size)
        return kStatusLinkError;
    sentFromThisPort = true;
    if (WireTapped()) {
        WireEvent event;
        event.portId = portId;
        event.peerIp = NetToHost32(peer->ip);
        event.peerPort = kRecorderPort;
        event.localPort = socket->localPort();
        event.bytes = bytes;
        event.size = static_cast<int>(size);
        NotifyWireTaps(event);
    }
    return kStatusOk;
}
