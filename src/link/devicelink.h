// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// A peer on the network: IPv4 address and UDP port, both in network byte
// order. The empty address (every bit set) marks a free entry.
struct PeerAddress
{
    quint32 ip = 0xFFFFFFFFu;
    quint16 port = 0xFFFFu;

    static PeerAddress Empty() { return {}; }
    bool IsEmpty() const { return *this == Empty(); }
    bool operator==(const PeerAddress &other) const { return ip == other.ip && port == other.port; }
    bool operator!=(const PeerAddress &other) const { return !(*this == other); }
};

// The ten-byte header in front of every datagram: type, payload length and
// three words sent as zero. Held here in host order.
struct PacketHeader
{
    std::array<quint16, 5> words{};

    quint16 Type() const { return words[0]; }
    quint16 Length() const { return words[1]; }
};

constexpr int kPacketHeaderSize = 10;
constexpr quint16 kPacketTypeFrame = 1; // a 9-pin frame
constexpr quint16 kPacketTypeBlock = 3; // a block packet (recorder information)

// A block packet as the information exchange builds it: bytes 0-9 are the
// header, the payload follows, and the byte at kBlockLengthOffset holds the
// payload length (0-255). A block reply is a header and 512 payload bytes.
constexpr int kBlockLengthOffset = 1524;
constexpr int kBlockReplySize = kPacketHeaderSize + 512;
struct BlockPacket
{
    std::array<quint8, kBlockLengthOffset + 4> bytes{};
};

// The byte transport to a recorder. The command engine talks to every
// recorder through this interface and never knows whether a datagram socket
// or a serial port is behind it.
//
// Two small integer spaces: an address index (0-15) picks the peer a send
// goes to, and a record index names a receive record that holds one incoming
// packet while it is read piece by piece.
class DeviceLink
{
public:
    explicit DeviceLink(quint16 portId);
    virtual ~DeviceLink();

    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    virtual qint16 AddAddress(const PeerAddress &addr);
    virtual qint16 FindAddress(const PeerAddress &addr) const;
    virtual void ClearAddress(qint16 index);
    virtual qint16 Open();
    virtual qint16 AllocRecord(qint16 &rec, quint32 sizeHint);
    virtual qint16 Poll(quint32 &count, qint16 rec);
    virtual quint32 WaitFor(qint16 rec, quint32 timeoutMs, qint16 wanted);
    virtual qint16 ReadHeader(PacketHeader &header, qint16 rec);
    virtual qint16 Read(quint32 &length, quint8 *destination, qint16 rec);
    virtual qint16 Release(qint16 rec);
    virtual qint16 ReleaseAll();
    virtual qint16 Receive(qint16 rec, quint8 *destination, quint32 maxLength,
                           PacketHeader &header);
    virtual qint16 SendWithHeader(quint32 &length, const quint8 *data, const PacketHeader &header);
    virtual qint16 Send(quint32 &length, const quint8 *data, quint16 type);
    virtual qint16 Close();
    virtual qint16 SendBlock(BlockPacket &packet);
    virtual qint16 ReadBlock(BlockPacket &destination);
    // The address index to send to the peer: its entry, else a new one. A
    // link whose table is full gives up the entry of another peer, which is
    // found or added again when it is next addressed. The default has one
    // peer, index 0.
    virtual qint16 UseAddress(const PeerAddress &addr);
    // Forgets the packet the record holds, read or not, and keeps what waits
    // behind it: the record takes the next packet. The command engine calls
    // it for a frame that is not the reply it waits for. A byte stream keeps
    // nothing once its bytes are read, so the default does nothing.
    virtual void DropPacket(qint16 rec);

    quint16 portId;
    quint8 opened = 0;
    qint16 currentAddress = 0;
    qint16 errorCount = 5;
    quint32 timeoutMs = 200;

    static constexpr quint32 kShortfallExtraMs = 48;
    // ReadBlock gives the recorder this long to send its block before it
    // looks for it.
    static constexpr quint32 kBlockReadDelayMs = 32;

protected:
    // Blocks until the transport may have more input or the time is up.
    // WaitFor calls it between polls so that a wait sleeps on the transport
    // instead of spinning a core; the default just sleeps a millisecond.
    virtual void WaitForInput(quint32 milliseconds);
};
