// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "server/faultinjector.h"
#include "server/truthlog.h"
#include "simconfig.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class QThread;

namespace xrsim {

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
    bool Start(const SimConfig &config = {});
    // Closes the sockets and ends the thread. Also done by the destructor.
    void Stop();
    bool IsRunning() const;
    QString ErrorString() const;
    // The slave device of the serial side ("/dev/pts/N"), empty without one.
    QString PtyPath() const;

    // Faults, for the replies that follow. Each one-shot fault waits for the
    // next reply that is really sent (after any dropped ones).
    // Send no reply to the next count frames.
    void DropReplies(int count);
    // Hold every reply back by ms milliseconds until set back to 0.
    void SetReplyDelay(int ms);
    // Spoil the checksum of the next reply.
    void CorruptNextChecksum();
    // Announce extra data bytes in the next reply's CMD1 that are not sent.
    void OverstateNextCount(int extra = 1);
    // Just before the next reply, send frame from another loopback address
    // (on the serial side: write frame before the reply).
    void StrayBeforeNextReply(const QHostAddress &from = QHostAddress(QStringLiteral("127.0.0.2")),
                              const QByteArray &frame = QByteArray("\x10\x01\x11", 3));
    // Send the next reply ms milliseconds late, after the client gave up.
    void LateNextReply(int ms = 300);
    // Send the next reply twice, the copy gapMs milliseconds after it.
    void DuplicateNextReply(int gapMs = 20);
    // Answer every command of this group and code with raw, sent as it is
    // (checksum included), the next times times; for ever when negative,
    // and times 0 takes the forced reply back.
    void ForceReply(quint8 group, quint8 code, const QByteArray &raw, int times = -1);
    // Serial line faults for the next reply: byte `index` lost on the line
    // (the reply comes one byte short); byte `index` broken, so that the
    // client's port takes a wrong byte; the reply in two pieces, the second
    // `gapMs` after the first. An index past the reply means its last byte.
    void LoseNextReplyByte(int index);
    void BreakNextReplyByte(int index);
    void SplitNextReply(int gapMs);
    // The recorder vanishes for `ms` milliseconds: frames are taken and
    // logged but not answered, then it answers again.
    void Vanish(int ms);
    // From now on each reply suffers, with probability `rate`, one fault
    // chosen at random (repeatably, from `seed`) among those its link can
    // carry: dropped, delayed within the client's wait, late, duplicated,
    // its checksum spoilt, its count overstated, a stray frame before it,
    // and on the serial line a lost or wrong byte or a gap. 0 stops it.
    void SetRandomFaults(double rate, quint32 seed = 1);
    // How many replies suffered each fault (by Fault) since the last
    // ClearFaults or Start.
    std::array<int, size_t(Fault::Count)> FaultCounts() const;
    // Takes back every fault and forced reply.
    void ClearFaults();

    // The truth log (server/truthlog.h): off at Start. While on, every
    // reply is recorded with the frame it answers and what became of it,
    // and a reply datagram carries its number in its header's last words.
    void RecordTruth(bool on);
    // The replies recorded since the last call.
    QList<TruthEntry> TakeTruth();

    // Makes the recorder's clock jump ms milliseconds ahead: positions,
    // cue-ups, scans and formats move on as if the time had passed.
    void AdvanceClock(qint64 ms);

    // The bare 9-pin frames received so far, in order.
    QList<QByteArray> ReceivedFrames() const;
    void ClearReceivedFrames();
    // Blocks until count frames have been received; false on timeout.
    bool WaitForFrames(int count, int timeoutMs = 1000) const;

    // In a replay (SimConfig::replayFile), where the application departed
    // from the recording and which lines of it were skipped, oldest first.
    QStringList ReplayDepartures() const;

private:
    std::unique_ptr<SimClock> clock;
    std::unique_ptr<FrameLog> log;
    std::unique_ptr<FaultInjector> faults;
    std::unique_ptr<TruthLog> truth;
    std::unique_ptr<QThread> thread;
    SimServer *server = nullptr;
    QString error;
    QString ptyPath;
};

} // namespace xrsim
