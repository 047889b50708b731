// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devicelink.h"

#include <array>
#include <memory>

class QUdpSocket;
enum class WireFate : quint8;

// The link to networked recorders. One instance serves every recorder on the
// network: it keeps a table of up to 16 peers, and the command engine points
// currentAddress at the peer being commanded before each frame. With more
// recorders than entries, the peer being commanded takes over the entry of
// another in turn (UseAddress). Each packet
// is one UDP datagram to port 32896 (0x8080) of the peer: a ten-byte header
// and the payload. Recorders answer to the port a datagram came from; the
// link changes its local port between exchanges (Release), so that a late or
// repeated reply never reaches the exchange after its own.
class EthernetLink : public DeviceLink
{
public:
    static constexpr quint16 kPortId = 2;
    static constexpr quint16 kRecorderPort = 32896;
    static constexpr int kPeerCount = 16;
    static constexpr int kRecordCount = 100;
    static constexpr int kRecordSize = 1462;

    EthernetLink();
    ~EthernetLink() override;

    qint16 AddAddress(const PeerAddress &addr) override;
    qint16 FindAddress(const PeerAddress &addr) const override;
    void ClearAddress(qint16 index) override;
    qint16 Open() override;
    qint16 AllocRecord(qint16 &rec, quint32 sizeHint) override;
    qint16 Poll(quint32 &count, qint16 rec) override;
    qint16 ReadHeader(PacketHeader &header, qint16 rec) override;
    qint16 Read(quint32 &length, quint8 *destination, qint16 rec) override;
    qint16 Release(qint16 rec) override;
    qint16 ReleaseAll() override;
    qint16 SendWithHeader(quint32 &length, const quint8 *data, const PacketHeader &header) override;
    qint16 Send(quint32 &length, const quint8 *data, quint16 type) override;
    qint16 Close() override;
    qint16 SendBlock(BlockPacket &packet) override;
    qint16 ReadBlock(BlockPacket &destination) override;
    qint16 UseAddress(const PeerAddress &addr) override;
    void DropPacket(qint16 rec) override;
    virtual void Reserved();

    const PeerAddress &Peer(int index) const { return peers[index]; }
    // The local UDP port the recorders' replies come back to; 0 before Open.
    quint16 LocalPort() const;

protected:
    void WaitForInput(quint32 milliseconds) override;

private:
    // One incoming datagram, header included, read piece by piece.
    struct ReceiveRecord
    {
        std::unique_ptr<quint8[]> buffer; // null while the record is free
        quint32 size = 0;                 // datagram bytes taken, header included
        quint32 offset = 0;               // payload bytes already read
        quint8 hasData = 0;
    };

    ReceiveRecord *RecordAt(qint16 rec);
    const PeerAddress *CurrentPeer() const;
    bool FromCurrentPeer(quint32 senderIp) const;
    qint64 TakePeerDatagram(quint8 *buffer, qint64 capacity);
    bool MoveToNewPort();
    void DiscardPendingDatagrams();
    // Taken (or `fromPeer`) for a datagram with a header from the peer being
    // commanded, else why it is dropped.
    WireFate FateOf(qint64 taken, quint32 senderIp, WireFate fromPeer) const;
    void TapIncoming(WireFate fate, quint32 senderIp, quint16 senderPort, const quint8 *bytes,
                     qint64 size);
    qint16 SendDatagram(const quint8 *bytes, qint64 size);

    std::unique_ptr<QUdpSocket> socket;
    bool sentFromThisPort = false; // the socket sent since it was bound
    std::array<PeerAddress, kPeerCount> peers;
    int nextReusedPeer = 0; // the entry UseAddress gives up next, in turn
    std::array<ReceiveRecord, kRecordCount> records;
};
