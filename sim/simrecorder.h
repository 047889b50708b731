#pragma once

#include "simconfig.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>

#include <memory>

class QThread;

namespace xrsim {

class FaultInjector;
class FrameLog;
class SimClock;
class SimServer;

// A simulated recorder for tests, run in-process on a thread of its own with
// its own event loop: the application under test may block its thread in
// busy waits while the recorder answers. Every method may be called from any
// thread.
//
//   xrsim::SimRecorder recorder;
//   xrsim::SimConfig config;
//   config.address = QHostAddress("127.0.0.5");
//   QVERIFY2(recorder.start(config), qPrintable(recorder.errorString()));
//   recorder.dropReplies(1);
//   ... drive the application ...
//   QCOMPARE(recorder.receivedFrames().first(), QByteArray("\x20\x01\x21", 3));
class SimRecorder
{
public:
    SimRecorder();
    ~SimRecorder();
    SimRecorder(const SimRecorder &) = delete;
    SimRecorder &operator=(const SimRecorder &) = delete;

    // Starts a fresh recorder (empty frame log, no faults but the
    // scenario's reply delay); false with errorString() when the address is
    // not loopback, the port is taken or the pseudo-terminal cannot be made.
    bool start(const SimConfig &config = {});
    // Closes the sockets and ends the thread. Also done by the destructor.
    void stop();
    bool isRunning() const;
    QString errorString() const;
    // The slave device of the serial side ("/dev/pts/N"), empty without one.
    QString ptyPath() const;

    // Faults, for the replies that follow. Each one-shot fault waits for the
    // next reply that is really sent (after any dropped ones).
    // Send no reply to the next count frames.
    void dropReplies(int count);
    // Hold every reply back by ms milliseconds until set back to 0.
    void setReplyDelay(int ms);
    // Spoil the checksum of the next reply.
    void corruptNextChecksum();
    // Announce extra data bytes in the next reply's CMD1 that are not sent.
    void overstateNextCount(int extra = 1);
    // Just before the next reply, send frame from another loopback address
    // (on the serial side: write frame before the reply).
    void strayBeforeNextReply(const QHostAddress &from = QHostAddress(QStringLiteral("127.0.0.2")),
                              const QByteArray &frame = QByteArray("\x10\x01\x11", 3));
    // Send the next reply ms milliseconds late, after the client gave up.
    void lateNextReply(int ms = 300);
    // Send the next reply twice, the copy gapMs milliseconds after it.
    void duplicateNextReply(int gapMs = 20);
    // Answer every command of this group and code with raw, sent as it is
    // (checksum included), the next times times; for ever when negative,
    // and times 0 takes the forced reply back.
    void forceReply(quint8 group, quint8 code, const QByteArray &raw, int times = -1);
    // Takes back every fault and forced reply.
    void clearFaults();

    // Makes the recorder's clock jump ms milliseconds ahead: positions,
    // cue-ups, scans and formats move on as if the time had passed.
    void advanceClock(qint64 ms);

    // The bare 9-pin frames received so far, in order.
    QList<QByteArray> receivedFrames() const;
    void clearReceivedFrames();
    // Blocks until count frames have been received; false on timeout.
    bool waitForFrames(int count, int timeoutMs = 1000) const;

private:
    std::unique_ptr<SimClock> m_clock;
    std::unique_ptr<FrameLog> m_log;
    std::unique_ptr<FaultInjector> m_faults;
    std::unique_ptr<QThread> m_thread;
    SimServer *m_server = nullptr;
    QString m_error;
    QString m_ptyPath;
};

} // namespace xrsim
