// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderfixture.h"

#include "link/linkstatus.h"
#include "link/seriallink.h"
#include "link/timing.h"
#include "protocol/commandengine.h"

#include <QTest>

namespace {

qint16 SendPlay()
{
    return Send9Pin(2, 0x01, 0, nullptr, true);
}

qint16 SendDeviceTypeRequest()
{
    return Send9Pin(0, 0x11, 0, nullptr, true);
}

QByteArray Reply()
{
    const int length = kFrameHeadSize + ReplyDataCount() + 1;
    return QByteArray(reinterpret_cast<const char *>(ReplyFrame.data()), length);
}

} // namespace

// The command engine over real links against the simulated recorder: the
// exchanges and every fault the recorder can be told to commit.
class TestEngineSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void acknowledgeOverUdp();
    void deviceTypeReplyOverUdp();
    void replyWithinTheWaitIsTaken();
    void faultsGiveTheirStatus_data();
    void faultsGiveTheirStatus();
    void strayDatagramIsNotTheReply();
    void lateReplyIsNotTakenByTheNextCommand();
    void repeatedReplyIsNotTakenByTheNextCommand();
    void staleReplyIsNotTakenByTheSameCommandAgain_data();
    void staleReplyIsNotTakenByTheSameCommandAgain();
    void fourthFailureDisconnectsAndStopsSending();
    void serialLineExchangesAndRecovers();

private:
    RecorderFixture recorder{"127.0.2.1"};
};

void TestEngineSim::initTestCase()
{
    QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
}

void TestEngineSim::init()
{
    recorder.Reset();
}

void TestEngineSim::acknowledgeOverUdp()
{
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
    QCOMPARE(recorder.Frames(), QList<QByteArray>{WireFrame({0x20, 0x01})});
}

void TestEngineSim::deviceTypeReplyOverUdp()
{
    QCOMPARE(SendDeviceTypeRequest(), kStatusOk);
    QCOMPARE(ReplyGroup(), 1);
    QCOMPARE(ReplyCommand(), 0x11);
    QCOMPARE(ReplyDataCount(), 2);
}

void TestEngineSim::replyWithinTheWaitIsTaken()
{
    recorder.sim.SetReplyDelay(60);
    QCOMPARE(SendPlay(), kStatusOk);
    recorder.sim.SetReplyDelay(0);
}

void TestEngineSim::faultsGiveTheirStatus_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("status");
    QTest::newRow("dropped") << 0 << int(kStatusNoReply);
    QTest::newRow("too slow") << 1 << int(kStatusNoReply);
    QTest::newRow("bad checksum") << 2 << int(kStatusBadChecksum);
    QTest::newRow("announces more data") << 3 << int(kStatusNoReply);
}

void TestEngineSim::faultsGiveTheirStatus()
{
    QFETCH(int, fault);
    QFETCH(int, status);
    switch (fault) {
    case 0:
        recorder.sim.DropReplies(1);
        break;
    case 1:
        recorder.sim.SetReplyDelay(400);
        break;
    case 2:
        recorder.sim.CorruptNextChecksum();
        break;
    case 3:
        recorder.sim.OverstateNextCount(3);
        break;
    }
    QCOMPARE(int(SendDeviceTypeRequest()), status);
    recorder.sim.SetReplyDelay(0);
    DelayMs(200); // let a held-back reply land before the next case
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
}

void TestEngineSim::strayDatagramIsNotTheReply()
{
    recorder.sim.StrayBeforeNextReply(QHostAddress(QStringLiteral("127.0.2.2")), NakFrame());
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
}

// The device type reply comes after the engine gave up; it must not be read
// as the answer to the play command sent next.
void TestEngineSim::lateReplyIsNotTakenByTheNextCommand()
{
    recorder.sim.LateNextReply(300);
    QCOMPARE(SendDeviceTypeRequest(), kStatusNoReply);
    DelayMs(150);
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
}

// The recorder answers the device type request twice, 20 ms apart, and takes
// 30 ms for every reply: the copy arrives while the play command waits, ahead
// of its acknowledge.
void TestEngineSim::repeatedReplyIsNotTakenByTheNextCommand()
{
    recorder.sim.SetReplyDelay(30);
    recorder.sim.DuplicateNextReply(20);
    QCOMPARE(SendDeviceTypeRequest(), kStatusOk);
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
    QCOMPARE(recorder.link.errorCount, qint16(0));
}

// A reply of the same kind as the one awaited fits its rule: only where it
// is sent tells it apart. The stale reply, late or a copy, reaches the link
// while the second request waits, ahead of that request's own reply.
void TestEngineSim::staleReplyIsNotTakenByTheSameCommandAgain_data()
{
    QTest::addColumn<bool>("late");
    QTest::newRow("late") << true;
    QTest::newRow("sent twice") << false;
}

void TestEngineSim::staleReplyIsNotTakenByTheSameCommandAgain()
{
    QFETCH(bool, late);
    const QByteArray stale = WireFrame({0x12, 0x11, 0x7F, 0x7F});
    const QByteArray current = WireFrame({0x12, 0x11, 0x21, 0x50});
    recorder.sim.ForceReply(0x0, 0x11, stale, 1);
    if (late) {
        recorder.sim.LateNextReply(300);
        QCOMPARE(SendDeviceTypeRequest(), kStatusNoReply);
    } else {
        recorder.sim.DuplicateNextReply(50);
        QCOMPARE(SendDeviceTypeRequest(), kStatusOk);
        QCOMPARE(Reply(), stale);
    }
    recorder.sim.SetReplyDelay(100);
    QCOMPARE(SendDeviceTypeRequest(), kStatusOk);
    QCOMPARE(Reply(), current);
}

void TestEngineSim::fourthFailureDisconnectsAndStopsSending()
{
    QCOMPARE(SendPlay(), kStatusOk);
    recorder.sim.DropReplies(4);
    for (int failure = 1; failure <= 3; ++failure) {
        QCOMPARE(SendPlay(), kStatusNoReply);
        QVERIFY(!recorder.device->disconnected);
    }
    QCOMPARE(SendPlay(), kStatusNoReply);
    QVERIFY(recorder.device->disconnected);
    recorder.ClearFrames();
    QCOMPARE(SendPlay(), kStatusNoReply);
    QVERIFY(recorder.Frames().isEmpty());
}

void TestEngineSim::serialLineExchangesAndRecovers()
{
    xrsim::SimRecorder serialRecorder;
    xrsim::SimConfig config;
    config.udp = false;
    config.pty = true;
    QVERIFY2(serialRecorder.Start(config), qPrintable(serialRecorder.ErrorString()));
    qputenv("TAVREL_COM1", serialRecorder.PtyPath().toLocal8Bit());
    SerialLink link(0);
    QCOMPARE(link.Open(), kStatusOk);
    DeviceRecord device(&link, PeerAddress{0, 0}, QStringLiteral("Com1"));
    CurrentDevice = &device;

    QCOMPARE(SendDeviceTypeRequest(), kStatusOk);
    QCOMPARE(ReplyCommand(), 0x11);
    serialRecorder.CorruptNextChecksum();
    QCOMPARE(SendPlay(), kStatusBadChecksum);
    // A stray frame ahead of the reply is taken for it on a bare serial line;
    // what follows it must be drained before the next command.
    serialRecorder.StrayBeforeNextReply(QHostAddress(), NakFrame());
    SendDeviceTypeRequest();
    DelayMs(100); // the real reply lands behind the stray one
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
    serialRecorder.DropReplies(1);
    QCOMPARE(SendPlay(), kStatusNoReply);
    QCOMPARE(SendPlay(), kStatusOk);
    // A repeated reply reaches the next command's wait on the line too.
    serialRecorder.SetReplyDelay(30);
    serialRecorder.DuplicateNextReply(20);
    QCOMPARE(SendDeviceTypeRequest(), kStatusOk);
    QCOMPARE(SendPlay(), kStatusOk);
    QCOMPARE(Reply(), AckFrame());
    CurrentDevice = nullptr;
}

QTEST_GUILESS_MAIN(TestEngineSim)
#include "tst_engine_sim.moc"
