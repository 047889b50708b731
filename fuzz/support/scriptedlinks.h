// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arrivals.h"
#include "virtualtime.h"

#include "link/devicelink.h"
#include "link/ethernetlink.h"

#include <QByteArray>
#include <QList>
#include <QUdpSocket>

#include <memory>

struct DeviceRecord;

// The program's links with a scripted far end, for fuzz targets. Each case
// hands a link the arrivals of its script; the link lets them arrive as the
// virtual time reaches them, and keeps what the program sent. Both remember
// what the recorder delivered since the program's last send, so that a target
// can tell whether a reply the program took really came from the recorder.
class ScriptedWire : public VirtualTime::Listener
{
public:
    virtual DeviceLink &Link() = 0;
    // The address a device record on this link carries.
    virtual PeerAddress RecorderAddress() const = 0;
    // A new case: nothing waiting, nothing sent, the script not started.
    virtual void Begin(QList<Arrival> arrivals) = 0;
    // Whether `frame` reached the program whole, from the recorder, since its
    // last send: the start of one of the recorder's datagrams, or a run of the
    // serial stream.
    virtual bool CameFromRecorder(const QByteArray &frame) const = 0;
    // Frames and blocks the program sent in this case.
    int SendCount() const { return sendCount; }

protected:
    int sendCount = 0;
};

// The real EthernetLink, its peer a socket on 127.0.93.1 that sends the
// script's datagrams to the link's own port over loopback, with a second
// socket on 127.0.93.2 for the datagrams of another host. What the program
// sends goes to a port where nothing listens.
class ScriptedEthernetLink : public EthernetLink, public ScriptedWire
{
public:
    ScriptedEthernetLink();

    DeviceLink &Link() override { return *this; }
    PeerAddress RecorderAddress() const override;
    void Begin(QList<Arrival> arrivals) override;
    bool CameFromRecorder(const QByteArray &frame) const override;
    void TimePassed(quint64 nowMs) override;

    qint16 Send(quint32 &length, const quint8 *data, quint16 type) override;
    qint16 SendBlock(BlockPacket &packet) override;

protected:
    void WaitForInput(quint32 milliseconds) override;

private:
    void Sent();

    QUdpSocket recorder;
    QUdpSocket stranger;
    ArrivalSchedule schedule;
    QList<QByteArray> payloadsSinceSend;
};

// A serial line as the program's SerialLink sees it: a byte stream whose
// pieces arrive as the script says. Release drops every byte waiting, as the
// serial link's drain and flush do.
class ScriptedSerialLink : public DeviceLink, public ScriptedWire
{
public:
    ScriptedSerialLink();

    DeviceLink &Link() override { return *this; }
    PeerAddress RecorderAddress() const override { return {0, 0}; }
    void Begin(QList<Arrival> arrivals) override;
    bool CameFromRecorder(const QByteArray &frame) const override;
    void TimePassed(quint64 nowMs) override;

    qint16 Poll(quint32 &count, qint16 rec) override;
    qint16 Read(quint32 &length, quint8 *destination, qint16 rec) override;
    qint16 Release(qint16 rec) override;
    qint16 Send(quint32 &length, const quint8 *data, quint16 type) override;

protected:
    void WaitForInput(quint32 milliseconds) override;

private:
    ArrivalSchedule schedule;
    QByteArray input;
    QByteArray streamSinceSend;
};

// A recorder on each kind of link, for the targets that feed the program's
// reception: a case starts with a setup byte (bit 0: the serial recorder,
// else the networked one; bits 1-2: the failures already counted on its
// link), which makes that recorder the current device, and a script of what
// arrives meanwhile.
class ScriptedRecorders
{
public:
    ScriptedRecorders();
    ~ScriptedRecorders();

    // The recorder the setup byte chooses, made current with its script.
    ScriptedWire &Begin(quint8 setup, QList<Arrival> arrivals);
    DeviceRecord &Current() const;
    // No current device, no script running.
    void End();

private:
    std::unique_ptr<ScriptedEthernetLink> ethernet;
    std::unique_ptr<ScriptedSerialLink> serial;
    std::unique_ptr<DeviceRecord> networked;
    std::unique_ptr<DeviceRecord> wired;
    DeviceRecord *current = nullptr;
};
