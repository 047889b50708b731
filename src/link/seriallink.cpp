// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriallink.h"

#include "linkstatus.h"
#include "timing.h"
#include "wiretap.h"

#include <QHash>
#include <QSerialPort>
#include <QThread>

#include <algorithm>

namespace {

constexpr qint32 kBaudRate = 38400;
constexpr int kDrainLimit = 256; // bytes discarded by Release before the flush
constexpr int kWriteTimeoutMs = 200;

struct PortMapping
{
    const char *portName;
    const char *environment;
    const char *unixDevice;
    const char *windowsDevice;
};

constexpr PortMapping kPortMappings[] = {
    {"COM1", "TAVREL_COM1", "/dev/ttyS0", "COM1"},
    {"COM2", "TAVREL_COM2", "/dev/ttyS1", "COM2"},
};

QHash<QString, QString> &ChosenHostDevices()
{
    static QHash<QString, QString> devices;
    return devices;
}

} // namespace

void SerialLink::Tap(WireDirection direction, WireFate fate, const char *bytes, qint64 size) const
{
    if (size <= 0)
        return;
    WireEvent event;
    event.direction = direction;
    event.fate = fate;
    event.portId = portId;
    event.bytes = reinterpret_cast<const quint8 *>(bytes);
    event.size = static_cast<int>(size);
    NotifyWireTaps(event);
}

SerialLink::SerialLink(quint16 portId) : DeviceLink(portId), port(std::make_unique<QSerialPort>())
{
    port->setPortName(HostDeviceFor(PortName()));
}

SerialLink::~SerialLink()
{
    Close();
}

QString SerialLink::PortName() const
{
    return QString::fromLatin1(kPortMappings[portId == 0 ? 0 : 1].portName);
}

QString SerialLink::HostDeviceFor(const QString &portName)
{
    for (const PortMapping &mapping : kPortMappings) {
        if (portName != QLatin1String(mapping.portName))
            continue;
        const QString chosen = ChosenHostDevices().value(portName);
        if (!chosen.isEmpty())
            return chosen;
        const QString configured = qEnvironmentVariable(mapping.environment);
        if (!configured.isEmpty())
            return configured;
#ifdef Q_OS_WIN
        return QString::fromLatin1(mapping.windowsDevice);
#else
        return QString::fromLatin1(mapping.unixDevice);
#endif
    }
    return portName;
}

QStringList SerialLink::PortNames()
{
    QStringList names;
    for (const PortMapping &mapping : kPortMappings)
        names.append(QLatin1String(mapping.portName));
    return names;
}

void SerialLink::ChooseHostDevice(const QString &portName, const QString &device)
{
    ChosenHostDevices().insert(portName, device);
}

qint16 SerialLink::Open()
{
    port->setBaudRate(kBaudRate);
    port->setDataBits(QSerialPort::Data8);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->setStopBits(QSerialPort::OneStop);
    port->setParity(QSerialPort::OddParity);
    if (!port->isOpen() && !port->open(QIODevice::ReadWrite))
        return kStatusLinkError;
    opened = 1;
    return kStatusOk;
}

qint16 SerialLink::AllocRecord(qint16 &rec, quint32)
{
    if (opened)
        rec = 0;
    return kStatusOk;
}

// Polling reopens a port that was closed, so a recorder whose port was left
// comes back with the next command.
qint16 SerialLink::Poll(quint32 &count, qint16)
{
    count = EnsureOpen() ? PullWaitingBytes() : 0;
    return kStatusOk;
}

qint16 SerialLink::Read(quint32 &length, quint8 *destination, qint16)
{
    if (!port->isOpen()) {
        length = 0;
        return kStatusOk;
    }
    PullWaitingBytes();
    const qint64 wanted = length;
    qint64 got = 0;
    if (destination) {
        got = port->read(reinterpret_cast<char *>(destination), wanted);
        if (WireTapped())
            Tap(WireDirection::In, WireFate::Taken, reinterpret_cast<const char *>(destination),
                got);
    } else {
        got = port->skip(wanted);
    }
    length = static_cast<quint32>(std::max<qint64>(got, 0));
    return kStatusOk;
}

// Drops stale input: reads away what is waiting (up to 256 bytes, as a
// scratch buffer would) and then flushes both directions of the port, which
// also discards anything beyond.
qint16 SerialLink::Release(qint16)
{
    if (!port->isOpen())
        return kStatusOk;
    PullWaitingBytes();
    char scratch[kDrainLimit];
    const qint64 drained =
        port->read(scratch, std::min<qint64>(port->bytesAvailable(), kDrainLimit));
    if (WireTapped())
        Tap(WireDirection::In, WireFate::Stale, scratch, drained);
    port->clear(QSerialPort::AllDirections);
    return kStatusOk;
}

// Write failures are not reported: the engine sees a missing reply instead.
qint16 SerialLink::Send(quint32 &length, const quint8 *data, quint16)
{
    if (port->isOpen() && data) {
        const qint64 written = port->write(reinterpret_cast<const char *>(data), length);
        port->waitForBytesWritten(kWriteTimeoutMs);
        if (WireTapped())
            Tap(WireDirection::Out, WireFate::Taken, reinterpret_cast<const char *>(data), written);
    }
    return kStatusOk;
}

qint16 SerialLink::Close()
{
    if (port->isOpen())
        port->close();
    return kStatusOk;
}

qint16 SerialLink::SendBlock(BlockPacket &packet)
{
    quint32 length = kPacketHeaderSize + packet.bytes[kBlockLengthOffset];
    return Send(length, packet.bytes.data(), kPacketTypeBlock);
}

// Returns the number of bytes read, or -1 when the port cannot be opened.
qint16 SerialLink::ReadBlock(BlockPacket &destination)
{
    std::fill_n(destination.bytes.begin(), kPacketHeaderSize, 0);
    DelayMs(kBlockReadDelayMs);
    if (!EnsureOpen())
        return -1;
    PullWaitingBytes();
    const qint64 got = port->read(reinterpret_cast<char *>(destination.bytes.data()),
                                  static_cast<qint64>(destination.bytes.size()));
    if (WireTapped())
        Tap(WireDirection::In, WireFate::Taken,
            reinterpret_cast<const char *>(destination.bytes.data()), got);
    port->clear(QSerialPort::AllDirections);
    return static_cast<qint16>(std::max<qint64>(got, 0));
}

void SerialLink::WaitForInput(quint32 milliseconds)
{
    if (port->isOpen())
        port->waitForReadyRead(static_cast<int>(milliseconds));
    else
        QThread::msleep(std::min<quint32>(milliseconds, 5));
}

bool SerialLink::EnsureOpen()
{
    return port->isOpen() || port->open(QIODevice::ReadWrite);
}

// Without an event loop the port object only learns of new input when asked;
// a zero-time wait moves what the driver holds into its buffer.
quint32 SerialLink::PullWaitingBytes()
{
    port->waitForReadyRead(0);
    return static_cast<quint32>(port->bytesAvailable());
}
