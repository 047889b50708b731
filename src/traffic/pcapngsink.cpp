// SPDX-License-Identifier: GPL-3.0-or-later
#include "pcapngsink.h"

#include "commandwords.h"
#include "wirewords.h"

#include "link/devicelink.h"
#include "link/wiretap.h"

#include <QtEndian>

namespace {

// Block types and the link type of pcapng.
constexpr quint32 kSectionHeaderBlock = 0x0A0D0D0A;
constexpr quint32 kInterfaceBlock = 0x00000001;
constexpr quint32 kEnhancedPacketBlock = 0x00000006;
constexpr quint32 kByteOrderMagic = 0x1A2B3C4D;
constexpr quint16 kLinkTypeRaw = 101; // the packet starts with its IP header
constexpr quint16 kOptionComment = 1;

constexpr int kIpHeaderSize = 20;
constexpr int kUdpHeaderSize = 8;
constexpr quint8 kUdpProtocol = 17;
constexpr quint8 kTimeToLive = 64;
constexpr quint32 kLoopbackNet = 0x7F000000;
constexpr quint32 kLoopbackHost = 0x7F000001;

// The blocks are written little-endian (their byte-order magic says so);
// the IP and UDP headers inside a packet are big-endian, as on the wire.
template <typename T>
void Put(QByteArray &out, T value, bool bigEndian = false)
{
    char bytes[sizeof(T)];
    if (bigEndian)
        qToBigEndian(value, bytes);
    else
        qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void Put16(QByteArray &out, quint16 value)
{
    Put(out, value);
}

void Put32(QByteArray &out, quint32 value)
{
    Put(out, value);
}

void PutBig16(QByteArray &out, quint16 value)
{
    Put(out, value, true);
}

void PutBig32(QByteArray &out, quint32 value)
{
    Put(out, value, true);
}

void PadTo32Bits(QByteArray &out)
{
    while (out.size() % 4 != 0)
        out.append('\0');
}

// A block: type, total length, body, total length again.
QByteArray Block(quint32 type, const QByteArray &body)
{
    QByteArray block;
    const quint32 length = static_cast<quint32>(body.size() + 12);
    Put32(block, type);
    Put32(block, length);
    block += body;
    Put32(block, length);
    return block;
}

quint16 IpChecksum(const QByteArray &header)
{
    quint32 sum = 0;
    for (int i = 0; i + 1 < header.size(); i += 2)
        sum += static_cast<quint8>(header[i]) << 8 | static_cast<quint8>(header[i + 1]);
    while (sum > 0xFFFF)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<quint16>(~sum);
}

// Towards a loopback recorder the program's address is loopback too;
// otherwise the socket does not say which of the host's addresses it used.
quint32 LocalAddressTowards(quint32 peer)
{
    return (peer & 0xFF000000) == kLoopbackNet ? kLoopbackHost : 0;
}

QByteArray IpUdpPacket(quint32 from, quint16 fromPort, quint32 to, quint16 toPort,
                       const quint8 *payload, int size)
{
    QByteArray ip;
    PutBig16(ip, 0x4500); // version 4, 20-byte header, no type of service
    PutBig16(ip, static_cast<quint16>(kIpHeaderSize + kUdpHeaderSize + size));
    PutBig16(ip, 0);      // identification
    PutBig16(ip, 0x4000); // do not fragment
    ip.append(static_cast<char>(kTimeToLive));
    ip.append(static_cast<char>(kUdpProtocol));
    PutBig16(ip, 0); // checksum, filled below
    PutBig32(ip, from);
    PutBig32(ip, to);
    const quint16 checksum = IpChecksum(ip);
    ip[10] = static_cast<char>(checksum >> 8);
    ip[11] = static_cast<char>(checksum & 0xFF);
    PutBig16(ip, fromPort);
    PutBig16(ip, toPort);
    PutBig16(ip, static_cast<quint16>(kUdpHeaderSize + size));
    PutBig16(ip, 0); // no UDP checksum, as IPv4 allows
    ip.append(reinterpret_cast<const char *>(payload), size);
    return ip;
}

QString PacketComment(const WireEvent &event)
{
    if (event.direction == WireDirection::In)
        return FateWords(event.fate);
    const bool frame =
        event.size > kPacketHeaderSize && event.bytes[0] == 0 && event.bytes[1] == kPacketTypeFrame;
    return frame ? CommandWords(event.bytes + kPacketHeaderSize, event.size - kPacketHeaderSize)
                 : QString();
}

void PutComment(QByteArray &body, const QString &comment)
{
    if (comment.isEmpty())
        return;
    const QByteArray text = comment.toUtf8();
    Put16(body, kOptionComment);
    Put16(body, static_cast<quint16>(text.size()));
    body += text;
    PadTo32Bits(body);
    Put32(body, 0); // end of options
}

} // namespace

PcapngSink::PcapngSink(quint64 startUs, qint64 startedMsSinceEpoch)
    : startUs(startUs), epochUs(static_cast<quint64>(startedMsSinceEpoch) * 1000)
{}

// Every part is a whole file: a section and its one interface.
QByteArray PcapngSink::Begin(int)
{
    QByteArray section;
    Put32(section, kByteOrderMagic);
    Put16(section, 1); // version 1.0
    Put16(section, 0);
    Put32(section, 0xFFFFFFFF); // section length not given
    Put32(section, 0xFFFFFFFF);
    QByteArray interface;
    Put16(interface, kLinkTypeRaw);
    Put16(interface, 0);
    Put32(interface, 0); // no snapshot limit
    return Block(kSectionHeaderBlock, section) + Block(kInterfaceBlock, interface);
}

QByteArray PcapngSink::Record(const WireEvent &event)
{
    if (event.portId < 2)
        return {};
    const quint32 local = LocalAddressTowards(event.peerIp);
    const QByteArray packet = event.direction == WireDirection::Out
                                  ? IpUdpPacket(local, event.localPort, event.peerIp,
                                                event.peerPort, event.bytes, event.size)
                                  : IpUdpPacket(event.peerIp, event.peerPort, local,
                                                event.localPort, event.bytes, event.size);
    const quint64 stamp = epochUs + (event.timeUs > startUs ? event.timeUs - startUs : 0);
    QByteArray body;
    Put32(body, 0); // the interface
    Put32(body, static_cast<quint32>(stamp >> 32));
    Put32(body, static_cast<quint32>(stamp & 0xFFFFFFFF));
    Put32(body, static_cast<quint32>(packet.size()));
    Put32(body, static_cast<quint32>(packet.size()));
    body += packet;
    PadTo32Bits(body);
    PutComment(body, PacketComment(event));
    return Block(kEnhancedPacketBlock, body);
}

QByteArray PcapngSink::Finish()
{
    return {};
}
