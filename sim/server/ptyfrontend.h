// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>

class QSocketNotifier;

namespace xrsim {

class FaultInjector;
class RecorderSession;
class SerialTransmitter;
class TruthLog;

// The recorder's serial side, served on a pseudo-terminal: a client opens
// the slave device like a serial port (38400 baud, 8 data bits, odd parity)
// and exchanges bare 9-pin frames, no header. The line keeps its real speed
// both ways (serialline.h): a frame is taken when its last byte would have
// arrived over the wire, and the answer leaves a byte at a time after the
// recorder's turnaround. Bytes may arrive in pieces; a frame is complete when
// CMD1's count of data bytes and the checksum are in.
class PtyFrontEnd : public QObject
{
    Q_OBJECT
public:
    // A frame left incomplete for this long is abandoned with a timeout NAK.
    static constexpr int kPartialFrameTimeoutMs = 100;

    PtyFrontEnd(RecorderSession &session, FaultInjector &faults, TruthLog &truth,
                QObject *parent = nullptr);
    ~PtyFrontEnd() override;

    bool Open(QString *error);
    QString SlavePath() const { return slavePath; }

private:
    bool ConfigureLine(QString *error);
    void ReadAvailable();
    void TakeFrames();
    void AbandonPartialFrame();
    void Reply(const QByteArray &frame, qint64 startNs, quint32 truthNumber);

    RecorderSession &session;
    FaultInjector &faults;
    TruthLog &truth;
    int master = -1;
    int slave = -1;
    QString slavePath;
    QSocketNotifier *notifier = nullptr;
    std::unique_ptr<SerialTransmitter> transmitter;
    QByteArray pending;
    // When each pending byte is wholly in, and when the line is free for the
    // next one the client writes.
    std::deque<qint64> arrivalNs;
    qint64 lineFreeNs = 0;
    QTimer partialTimer;
};

} // namespace xrsim
