// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace xrsim {

class FaultInjector;
class RecorderSession;

// The recorder's serial side, served on a pseudo-terminal: a client opens
// the slave device like a serial port (38400 baud, 8 data bits, odd parity)
// and exchanges bare 9-pin frames, no header. Bytes may arrive in pieces; a
// frame is complete when CMD1's count of data bytes and the checksum are in.
class PtyFrontEnd : public QObject
{
    Q_OBJECT
public:
    // A frame left incomplete for this long is abandoned with a timeout NAK.
    static constexpr int kPartialFrameTimeoutMs = 100;

    PtyFrontEnd(RecorderSession &session, FaultInjector &faults, QObject *parent = nullptr);
    ~PtyFrontEnd() override;

    bool Open(QString *error);
    QString SlavePath() const { return slavePath; }

private:
    bool ConfigureLine(QString *error);
    void ReadAvailable();
    void TakeFrames();
    void AbandonPartialFrame();
    void Reply(const QByteArray &frame);
    void Write(const QByteArray &bytes);

    RecorderSession &session;
    FaultInjector &faults;
    int master = -1;
    int slave = -1;
    QString slavePath;
    QSocketNotifier *notifier = nullptr;
    QByteArray pending;
    QTimer partialTimer;
};

} // namespace xrsim
