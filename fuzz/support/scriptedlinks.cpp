// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedlinks.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/byteorder.h"
#include "link/linkstatus.h"

#include <QHostAddress>

#include <algorithm>
#include <cstring>

namespace {

// Nothing listens on the recorder's port there: what the program sends goes
// nowhere, while the link does all it does for a send.
const QHostAddress kRecorderHost(QStringLiteral("127.0.93.1"));
const QHostAddress kOtherHost(QStringLiteral("127.0.93.2"));

// Waits until the script's next arrival or the end of the wait, whichever
// comes first.
void WaitInVirtualTime(const ArrivalSchedule &schedule, quint32 milliseconds)
{
    const quint64 end = VirtualTime::Now() + std::max<quint32>(milliseconds, 1);
    VirtualTime::AdvanceTo(std::min(end, schedule.NextDueMs()));
}

} // namespace

ScriptedEthernetLink::ScriptedEthernetLink()
{
    Open();
    recorder.bind(kRecorderHost, 0);
    stranger.bind(kOtherHost, 0);
    currentAddress = AddAddress(RecorderAddress());
}

PeerAddress ScriptedEthernetLink::RecorderAddress() const
{
    return {HostToNet32(kRecorderHost.toIPv4Address()), HostToNet16(kRecorderPort)};
}

void ScriptedEthernetLink::Begin(QList<Arrival> arrivals)
{
    ReleaseAll();
    schedule.Reset(std::move(arrivals));
    payloadsSinceSend.clear();
    sendCount = 0;
}

bool ScriptedEthernetLink::CameFromRecorder(const QByteArray &frame) const
{
    return std::any_of(payloadsSinceSend.begin(), payloadsSinceSend.end(),
                       [&frame](const QByteArray &payload) { return payload.startsWith(frame); });
}

// Loopback delivers a datagram into the receiving socket before the send
// returns, so the link finds it at its next poll.
void ScriptedEthernetLink::TimePassed(quint64 nowMs)
{
    for (const Arrival &arrival : schedule.TakeDue(nowMs)) {
        QUdpSocket &from = arrival.stray ? stranger : recorder;
        from.writeDatagram(arrival.bytes, kRecorderHost, LocalPort());
        if (!arrival.stray && arrival.bytes.size() >= kPacketHeaderSize)
            payloadsSinceSend.append(arrival.bytes.mid(kPacketHeaderSize));
    }
}

void ScriptedEthernetLink::Sent()
{
    ++sendCount;
    payloadsSinceSend.clear();
    schedule.Start(VirtualTime::Now());
    TimePassed(VirtualTime::Now());
}

qint16 ScriptedEthernetLink::Send(quint32 &length, const quint8 *data, quint16 type)
{
    const qint16 status = EthernetLink::Send(length, data, type);
    Sent();
    return status;
}

qint16 ScriptedEthernetLink::SendBlock(BlockPacket &packet)
{
    const qint16 status = EthernetLink::SendBlock(packet);
    Sent();
    return status;
}

void ScriptedEthernetLink::WaitForInput(quint32 milliseconds)
{
    WaitInVirtualTime(schedule, milliseconds);
}

ScriptedSerialLink::ScriptedSerialLink() : DeviceLink(0)
{
    opened = 1;
}

void ScriptedSerialLink::Begin(QList<Arrival> arrivals)
{
    schedule.Reset(std::move(arrivals));
    input.clear();
    streamSinceSend.clear();
    sendCount = 0;
}

bool ScriptedSerialLink::CameFromRecorder(const QByteArray &frame) const
{
    return streamSinceSend.contains(frame);
}

void ScriptedSerialLink::TimePassed(quint64 nowMs)
{
    for (const Arrival &arrival : schedule.TakeDue(nowMs)) {
        input += arrival.bytes;
        streamSinceSend += arrival.bytes;
    }
}

qint16 ScriptedSerialLink::Poll(quint32 &count, qint16)
{
    count = quint32(input.size());
    return kStatusOk;
}

qint16 ScriptedSerialLink::Read(quint32 &length, quint8 *destination, qint16)
{
    length = std::min(length, quint32(input.size()));
    if (destination)
        std::memcpy(destination, input.constData(), length);
    input.remove(0, qsizetype(length));
    return kStatusOk;
}

qint16 ScriptedSerialLink::Release(qint16)
{
    input.clear();
    return kStatusOk;
}

qint16 ScriptedSerialLink::Send(quint32 &, const quint8 *, quint16)
{
    ++sendCount;
    streamSinceSend.clear();
    schedule.Start(VirtualTime::Now());
    TimePassed(VirtualTime::Now());
    return kStatusOk;
}

void ScriptedSerialLink::WaitForInput(quint32 milliseconds)
{
    WaitInVirtualTime(schedule, milliseconds);
}

ScriptedRecorders::ScriptedRecorders()
    : ethernet(std::make_unique<ScriptedEthernetLink>()),
      serial(std::make_unique<ScriptedSerialLink>()),
      networked(std::make_unique<DeviceRecord>(ethernet.get(), ethernet->RecorderAddress(),
                                               QStringLiteral("Ethernet - 127.0.93.1"))),
      wired(std::make_unique<DeviceRecord>(serial.get(), serial->RecorderAddress(),
                                           QStringLiteral("Com1")))
{
    VirtualTime::Install();
}

ScriptedRecorders::~ScriptedRecorders()
{
    End();
}

ScriptedWire &ScriptedRecorders::Begin(quint8 setup, QList<Arrival> arrivals)
{
    const bool onSerial = setup & 1;
    ScriptedWire &wire =
        onSerial ? static_cast<ScriptedWire &>(*serial) : static_cast<ScriptedWire &>(*ethernet);
    current = onSerial ? wired.get() : networked.get();
    current->disconnected = 0;
    current->link->errorCount = static_cast<qint16>((setup >> 1) & 3);
    CurrentDevice = current;
    wire.Begin(std::move(arrivals));
    VirtualTime::SetListener(&wire);
    return wire;
}

DeviceRecord &ScriptedRecorders::Current() const
{
    return *current;
}

void ScriptedRecorders::End()
{
    VirtualTime::SetListener(nullptr);
    CurrentDevice = nullptr;
}
