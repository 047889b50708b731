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
    static constexpr int PartialFrameTimeoutMs = 100;

    PtyFrontEnd(RecorderSession &session, FaultInjector &faults, QObject *parent = nullptr);
    ~PtyFrontEnd() override;

    bool open(QString *error);
    QString slavePath() const { return m_slavePath; }

private:
    bool configureLine(QString *error);
    void readAvailable();
    void takeFrames();
    void abandonPartialFrame();
    void reply(const QByteArray &frame);
    void write(const QByteArray &bytes);

    RecorderSession &m_session;
    FaultInjector &m_faults;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_pending;
    QTimer m_partialTimer;
};

} // namespace xrsim
