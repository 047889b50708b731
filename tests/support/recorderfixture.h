// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/byteorder.h"
#include "link/ethernetlink.h"
#include "simrecorder.h"
#include "wireframe.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>

#include <initializer_list>
#include <memory>

// A simulated recorder on a loopback address of the test's own, reached over
// a real EthernetLink and made the current device. Give every test program its
// own address (127.0.3.x) so that programs run side by side do not share a
// recorder.
//
//   RecorderFixture recorder("127.0.3.1");
//   QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
//   Play();
//   QCOMPARE(recorder.Frames(), QList<QByteArray>{WireFrame({0x20, 0x01})});
class RecorderFixture
{
public:
    explicit RecorderFixture(const char *ip) : address(QString::fromLatin1(ip)) {}

    ~RecorderFixture()
    {
        if (device && CurrentDevice == device.get())
            CurrentDevice = nullptr;
    }

    RecorderFixture(const RecorderFixture &) = delete;
    RecorderFixture &operator=(const RecorderFixture &) = delete;

    // Starts the simulated recorder, playing `scenario`, and connects to it.
    bool Start(const xrsim::Scenario &scenario = {})
    {
        xrsim::SimConfig config;
        config.address = address;
        config.scenario = scenario;
        if (!sim.Start(config))
            return false;
        Connect();
        return true;
    }

    // Only the link and the current device, for a test that plays the
    // recorder itself on the fixture's address.
    void Connect()
    {
        link.Open();
        const PeerAddress peer{HostToNet32(address.toIPv4Address()), HostToNet16(0x8080)};
        link.AddAddress(peer);
        device = std::make_unique<DeviceRecord>(&link, peer,
                                                QStringLiteral("Ethernet - ") + address.toString());
        CurrentDevice = device.get();
    }

    QString Error() const { return sim.ErrorString(); }

    // Back to a fresh connection: no faults or forced replies, an empty frame
    // log, the device current and not counted as failing.
    void Reset()
    {
        sim.ClearFaults();
        sim.ClearReceivedFrames();
        device->disconnected = 0;
        link.errorCount = 0;
        CurrentDevice = device.get();
    }

    QList<QByteArray> Frames() const { return sim.ReceivedFrames(); }
    void ClearFrames() { sim.ClearReceivedFrames(); }

    // Answers the command of this group and code with `reply` (a whole frame,
    // checksum included) until Reset.
    void Answer(quint8 group, quint8 command, const QByteArray &reply)
    {
        sim.ForceReply(group, command, reply);
    }

    QHostAddress address;
    xrsim::SimRecorder sim;
    EthernetLink link;
    std::unique_ptr<DeviceRecord> device;
};

// The recorder's answers that most tests need.
inline QByteArray AckFrame()
{
    return WireFrame({0x10, 0x01});
}

inline QByteArray NakFrame()
{
    return WireFrame({0x11, 0x12, 0x01});
}
