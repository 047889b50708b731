// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devicelink.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSerialPort;
enum class WireDirection : quint8;
enum class WireFate : quint8;

// The link to a recorder wired to COM1 or COM2: bare 9-pin frames at 38400
// baud, 8 data bits, odd parity, 1 stop bit. No header, no addressing; the
// port's input queue is the single receive record.
class SerialLink : public DeviceLink
{
public:
    explicit SerialLink(quint16 portId);
    ~SerialLink() override;

    qint16 Open() override;
    qint16 AllocRecord(qint16 &rec, quint32 sizeHint) override;
    qint16 Poll(quint32 &count, qint16 rec) override;
    qint16 Read(quint32 &length, quint8 *destination, qint16 rec) override;
    qint16 Release(qint16 rec) override;
    qint16 Send(quint32 &length, const quint8 *data, quint16 type) override;
    qint16 Close() override;
    qint16 SendBlock(BlockPacket &packet) override;
    qint16 ReadBlock(BlockPacket &destination) override;

    // "COM1" for port 0 and "COM2" for any other port.
    QString PortName() const;

    // The host device behind a port name: the one chosen for it, else
    // $TAVREL_COM1 / $TAVREL_COM2 when set, else the platform's first or
    // second serial device.
    static QString HostDeviceFor(const QString &portName);

    // The port names: "COM1", "COM2".
    static QStringList PortNames();

    // Puts `device` behind a port name, over the environment's, for the
    // links made from now on (the command line's --serial-port).
    static void ChooseHostDevice(const QString &portName, const QString &device);

protected:
    void WaitForInput(quint32 milliseconds) override;

private:
    bool EnsureOpen();
    void Tap(WireDirection direction, WireFate fate, const char *bytes, qint64 size) const;
    quint32 PullWaitingBytes();

    std::unique_ptr<QSerialPort> port;
};
