// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficlines.h"

#include "commandwords.h"
#include "replywords.h"
#include "wirewords.h"

#include "link/devicelink.h"
#include "link/timing.h"

#include <QHostAddress>

#include <algorithm>

namespace {

constexpr int kHeaderWords = kPacketHeaderSize / 2;

QByteArray SecondsText(quint64 us)
{
    return QByteArray::number(us / 1'000'000) + '.' +
           QByteArray::number(us % 1'000'000).rightJustified(6, '0');
}

QByteArray LinkText(const WireEvent &event)
{
    if (event.portId < 2)
        return event.portId == 0 ? QByteArrayLiteral("COM1") : QByteArrayLiteral("COM2");
    return "udp:" + QHostAddress(event.peerIp).toString().toLatin1() + ':' +
           QByteArray::number(event.peerPort);
}

QByteArray HexText(const quint8 *bytes, int length)
{
    return HexBytes(bytes, length).toLatin1();
}

// The five header words as four hex digits each, a bar, then the payload.
QByteArray DatagramText(const quint8 *bytes, int size)
{
    if (size < kPacketHeaderSize)
        return HexText(bytes, size);
    QByteArray text;
    for (int i = 0; i < kHeaderWords; ++i)
        text += QByteArray::number(bytes[2 * i] << 8 | bytes[2 * i + 1], 16)
                    .toUpper()
                    .rightJustified(4, '0') +
                ' ';
    text += '|';
    if (size > kPacketHeaderSize)
        text += ' ' + HexText(bytes + kPacketHeaderSize, size - kPacketHeaderSize);
    return text;
}

quint16 HeaderType(const quint8 *bytes)
{
    return static_cast<quint16>(bytes[0] << 8 | bytes[1]);
}

QString Joined(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QStringLiteral("; ") + second;
}

int WholeFrameLength(const QByteArray &bytes)
{
    return (static_cast<quint8>(bytes.at(0)) & 0x0F) + 3;
}

} // namespace

TrafficLines::TrafficLines(quint64 startUs, const QDateTime &startedUtc)
    : startUs(startUs), startedUtc(startedUtc)
{}

QByteArray TrafficLines::Begin(int part)
{
    QByteArray text = "tavrel-traffic " + QByteArray::number(kFormatVersion) + '\n';
    text += "# started " + startedUtc.toString(Qt::ISODateWithMs).toLatin1() + '\n';
    if (part > 1)
        text += "# part " + QByteArray::number(part) + '\n';
    return text;
}

QByteArray TrafficLines::Record(const WireEvent &event)
{
    return event.portId < 2 ? RecordSerial(event) : RecordDatagram(event);
}

QByteArray TrafficLines::Finish()
{
    const quint64 now = MonotonicUs();
    return FlushSerial(0, now) + FlushSerial(1, now);
}

QByteArray TrafficLines::RecordDatagram(const WireEvent &event)
{
    const bool out = event.direction == WireDirection::Out;
    QString comment = FateWords(event.fate);
    if (event.size >= kPacketHeaderSize) {
        const quint8 *payload = event.bytes + kPacketHeaderSize;
        const int length = event.size - kPacketHeaderSize;
        if (HeaderType(event.bytes) == kPacketTypeFrame && length > 0)
            comment = Joined(comment, FrameComment(event, payload, length));
        else if (HeaderType(event.bytes) == kPacketTypeBlock)
            comment = Joined(comment, out ? QStringLiteral("information request")
                                          : QStringLiteral("information block"));
    }
    const char *direction = out ? ">" : event.fate == WireFate::Taken ? "<" : "<!";
    return Line(event.timeUs, direction, LinkText(event), DatagramText(event.bytes, event.size),
                comment);
}

// Sent frames go out whole; what comes in is gathered into frames.
QByteArray TrafficLines::RecordSerial(const WireEvent &event)
{
    if (event.direction == WireDirection::Out) {
        return FlushSerial(event.portId, event.timeUs) +
               Line(event.timeUs, ">", LinkText(event), HexText(event.bytes, event.size),
                    FrameComment(event, event.bytes, event.size));
    }
    if (event.fate != WireFate::Taken) {
        return FlushSerial(event.portId, event.timeUs) + Line(event.timeUs, "<!", LinkText(event),
                                                              HexText(event.bytes, event.size),
                                                              FateWords(event.fate));
    }
    QByteArray text;
    QByteArray &pending = serialPending[event.portId];
    pending.append(reinterpret_cast<const char *>(event.bytes), event.size);
    while (!pending.isEmpty() && pending.size() >= WholeFrameLength(pending)) {
        const int length = WholeFrameLength(pending);
        const auto *frame = reinterpret_cast<const quint8 *>(pending.constData());
        text += Line(event.timeUs, "<", LinkText(event), HexText(frame, length),
                     FrameComment(event, frame, length));
        pending.remove(0, length);
    }
    return text;
}

// Input left over when something else happens on the line never became a
// whole frame.
QByteArray TrafficLines::FlushSerial(quint16 portId, quint64 timeUs)
{
    QByteArray &pending = serialPending[portId];
    if (pending.isEmpty())
        return {};
    WireEvent event;
    event.portId = portId;
    const QByteArray line =
        Line(timeUs, "<", LinkText(event),
             HexText(reinterpret_cast<const quint8 *>(pending.constData()), pending.size()),
             QStringLiteral("incomplete frame"));
    pending.clear();
    return line;
}

QByteArray TrafficLines::Line(quint64 timeUs, const char *direction, const QByteArray &link,
                              const QByteArray &bytes, const QString &comment) const
{
    QByteArray line = SecondsText(timeUs > startUs ? timeUs - startUs : 0) + ' ' + direction + ' ' +
                      link + ' ' + bytes;
    if (!comment.isEmpty())
        line += "  # " + comment.toUtf8();
    return line + '\n';
}

QString TrafficLines::FrameComment(const WireEvent &event, const quint8 *frame, int length)
{
    if (event.direction == WireDirection::Out) {
        lastSentLength = std::min<int>(length, static_cast<int>(lastSent.size()));
        std::copy_n(frame, lastSentLength, lastSent.begin());
        return CommandWords(frame, length);
    }
    return ReplyWords(lastSent.data(), lastSentLength, frame, length);
}
