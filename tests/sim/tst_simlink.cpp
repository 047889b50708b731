// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's links: framing, replies, faults and the log, seen
// from a bare UDP socket and a bare pseudo-terminal client.

#include "simrecorder.h"
#include "udpprobe.h"

#include <QElapsedTimer>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.31.1"));
const QHostAddress kStray(QStringLiteral("127.0.31.2"));

QByteArray hex(const char *text)
{
    return UdpProbe::hex(text);
}

// Reads from a file descriptor until count bytes came or timeoutMs passed.
QByteArray readFd(int fd, int count, int timeoutMs)
{
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (bytes.size() < count && clock.elapsed() < timeoutMs) {
        pollfd wanted{fd, POLLIN, 0};
        if (poll(&wanted, 1, int(timeoutMs - clock.elapsed())) <= 0)
            break;
        char buffer[64];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        bytes.append(buffer, int(got));
    }
    return bytes;
}

} // namespace

class TestSimLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void deviceTypeReportsFiftyHz_data();
    void deviceTypeReportsFiftyHz();
    void repliesComeFromTheListeningAddress();
    void acknowledgesAndNaks_data();
    void acknowledgesAndNaks();
    void malformedDatagramsGetNoReply_data();
    void malformedDatagramsGetNoReply();
    void bytesAfterTheFrameAreIgnored();
    void refusesToStartOffLoopbackOrOnATakenPort();

    void droppedRepliesThenAnswersAgain();
    void delayedReplies();
    void corruptedChecksum();
    void overstatedCount();
    void strayDatagramFromAnotherAddress();
    void lateReplyArrivesAfterTheClientGaveUp();
    void forcedRawReply();
    void vanishedRecorderAnswersAgain();
    void randomFaultsAreCountedAndRepeatable();

    void logKeepsFramesInOrderUntilCleared();
    void truthLogNumbersEveryReply();

    void ptyReassemblesAFrameSentInPieces();
    void ptyAbandonsAnIncompleteFrame();

private:
    void startRecorder(const xrsim::SimConfig &config);

    xrsim::SimRecorder m_recorder;
};

void TestSimLink::startRecorder(const xrsim::SimConfig &config)
{
    m_recorder.Stop();
    QVERIFY2(m_recorder.Start(config), qPrintable(m_recorder.ErrorString()));
}

void TestSimLink::init()
{
    xrsim::SimConfig config;
    config.address = kRecorder;
    startRecorder(config);
}

void TestSimLink::cleanup()
{
    m_recorder.Stop();
    m_recorder.ClearFaults();
    m_recorder.ClearReceivedFrames();
}

void TestSimLink::deviceTypeReportsFiftyHz_data()
{
    QTest::addColumn<int>("standard");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("PAL") << 0 << hex("12 11 21 50 94");
    QTest::newRow("NTSC") << 1 << hex("12 11 20 50 93");
    QTest::newRow("1080 50i") << 5 << hex("12 11 21 50 94");
    QTest::newRow("720 59.94p") << 8 << hex("12 11 20 50 93");
}

void TestSimLink::deviceTypeReportsFiftyHz()
{
    QFETCH(int, standard);
    QFETCH(QByteArray, reply);
    xrsim::SimConfig config;
    config.address = kRecorder;
    config.scenario.videoStandard = standard;
    startRecorder(config);
    UdpProbe probe(kRecorder);
    QCOMPARE(probe.exchange(hex("00 11 11")), reply);
}

void TestSimLink::repliesComeFromTheListeningAddress()
{
    UdpProbe probe(kRecorder);
    probe.sendFrame(hex("20 01 21"));
    const QNetworkDatagram datagram = probe.receive();
    QVERIFY(datagram.isValid());
    QCOMPARE(datagram.senderAddress(), kRecorder);
    QCOMPARE(datagram.senderPort(), 32896);
    QCOMPARE(datagram.data(), hex("0001 0003 0000 0000 0000 10 01 11"));
}

void TestSimLink::acknowledgesAndNaks_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("stop") << hex("20 00 20") << hex("10 01 11");
    QTest::newRow("edit preset") << hex("41 30 17 88") << hex("10 01 11");
    QTest::newRow("unknown group") << hex("50 01 51") << hex("11 12 01 24");
    QTest::newRow("unknown code") << hex("20 7F 9F") << hex("11 12 01 24");
    QTest::newRow("bad checksum") << hex("20 01 22") << hex("11 12 04 27");
}

void TestSimLink::acknowledgesAndNaks()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, reply);
    UdpProbe probe(kRecorder);
    QCOMPARE(probe.exchange(frame), reply);
}

void TestSimLink::malformedDatagramsGetNoReply_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::newRow("shorter than a header") << hex("00 01 00 03 00 00 00 00 00");
    QTest::newRow("length says more") << UdpProbe::header(1, 5) + hex("20 01 21");
    QTest::newRow("length says less") << UdpProbe::header(1, 2) + hex("20 01 21");
    QTest::newRow("unknown type") << UdpProbe::header(2, 3) + hex("20 01 21");
    QTest::newRow("frame cut short") << UdpProbe::header(1, 4) + hex("25 31 04 03");
    QTest::newRow("header only") << UdpProbe::header(1, 0);
}

void TestSimLink::malformedDatagramsGetNoReply()
{
    QFETCH(QByteArray, datagram);
    UdpProbe probe(kRecorder);
    probe.sendRaw(datagram);
    QVERIFY(probe.staysQuiet(150));
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
}

void TestSimLink::bytesAfterTheFrameAreIgnored()
{
    UdpProbe probe(kRecorder);
    probe.sendRaw(UdpProbe::header(1, 5) + hex("20 01 21 FF FF"));
    const QNetworkDatagram datagram = probe.receive();
    QCOMPARE(datagram.data().mid(10), hex("10 01 11"));
    QCOMPARE(m_recorder.ReceivedFrames(), QList<QByteArray>{hex("20 01 21")});
}

void TestSimLink::refusesToStartOffLoopbackOrOnATakenPort()
{
    xrsim::SimRecorder other;
    xrsim::SimConfig config;
    config.address = QHostAddress(QStringLiteral("192.168.1.1"));
    QVERIFY(!other.Start(config));
    QVERIFY(other.ErrorString().contains(QLatin1String("loopback")));
    QVERIFY(!other.IsRunning());

    config.address = kRecorder;
    QVERIFY(!other.Start(config));
    QVERIFY(!other.ErrorString().isEmpty());
}

void TestSimLink::droppedRepliesThenAnswersAgain()
{
    UdpProbe probe(kRecorder);
    m_recorder.DropReplies(2);
    m_recorder.CorruptNextChecksum();
    probe.sendFrame(hex("20 01 21"));
    QVERIFY(probe.staysQuiet(150));
    probe.sendFrame(hex("20 00 20"));
    QVERIFY(probe.staysQuiet(150));
    // The checksum fault waited for the first reply really sent.
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 EE"));
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
    QCOMPARE(m_recorder.ReceivedFrames().size(), 4);
}

void TestSimLink::delayedReplies()
{
    UdpProbe probe(kRecorder);
    m_recorder.SetReplyDelay(120);
    for (int i = 0; i < 2; ++i) {
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
        QVERIFY2(clock.elapsed() >= 110, qPrintable(QString::number(clock.elapsed())));
    }
    m_recorder.SetReplyDelay(0);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
    QVERIFY(clock.elapsed() < 100);
}

void TestSimLink::corruptedChecksum()
{
    UdpProbe probe(kRecorder);
    m_recorder.CorruptNextChecksum();
    QCOMPARE(probe.exchange(hex("00 11 11")), hex("12 11 21 50 6B"));
    QCOMPARE(probe.exchange(hex("00 11 11")), hex("12 11 21 50 94"));
}

void TestSimLink::overstatedCount()
{
    UdpProbe probe(kRecorder);
    m_recorder.OverstateNextCount(2);
    // CMD1 announces four data bytes but two are sent; the checksum matches
    // the bytes as sent, so only the count is wrong.
    QCOMPARE(probe.exchange(hex("00 11 11")), hex("14 11 21 50 96"));
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
}

void TestSimLink::strayDatagramFromAnotherAddress()
{
    UdpProbe probe(kRecorder);
    m_recorder.StrayBeforeNextReply(kStray, hex("11 12 01 24"));
    probe.sendFrame(hex("00 11 11"));
    const QNetworkDatagram stray = probe.receive();
    const QNetworkDatagram real = probe.receive();
    QCOMPARE(stray.senderAddress(), kStray);
    QCOMPARE(stray.data().mid(10), hex("11 12 01 24"));
    QCOMPARE(real.senderAddress(), kRecorder);
    QCOMPARE(real.data().mid(10), hex("12 11 21 50 94"));
    QVERIFY(probe.staysQuiet(100));
}

void TestSimLink::lateReplyArrivesAfterTheClientGaveUp()
{
    UdpProbe probe(kRecorder);
    m_recorder.LateNextReply(300);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(probe.exchange(hex("00 11 11"), 200).isEmpty());
    const QNetworkDatagram late = probe.receive(400);
    QVERIFY(clock.elapsed() >= 290);
    QCOMPARE(late.data().mid(10), hex("12 11 21 50 94"));
    clock.restart();
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
    QVERIFY(clock.elapsed() < 100);
}

void TestSimLink::forcedRawReply()
{
    UdpProbe probe(kRecorder);
    m_recorder.ForceReply(0x0, 0x11, hex("72 11 21"), 2);
    QCOMPARE(probe.exchange(hex("00 11 11")), hex("72 11 21"));
    QCOMPARE(probe.exchange(hex("00 11 11")), hex("72 11 21"));
    QCOMPARE(probe.exchange(hex("00 11 11")), hex("12 11 21 50 94"));

    m_recorder.ForceReply(0x2, 0x01, hex("11 12 01 24"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(probe.exchange(hex("20 01 21")), hex("11 12 01 24"));
    m_recorder.ForceReply(0x2, 0x01, {}, 0);
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
}

void TestSimLink::vanishedRecorderAnswersAgain()
{
    UdpProbe probe(kRecorder);
    m_recorder.Vanish(150);
    probe.sendFrame(hex("20 01 21"));
    QVERIFY(probe.staysQuiet(200));
    QCOMPARE(probe.exchange(hex("20 01 21")), hex("10 01 11"));
    QCOMPARE(m_recorder.ReceivedFrames().size(), 2);
    QCOMPARE(m_recorder.FaultCounts()[size_t(xrsim::Fault::Silent)], 1);
}

// Every reply faulted, each fault counted once; the same seed picks the same
// faults again.
void TestSimLink::randomFaultsAreCountedAndRepeatable()
{
    const auto total = [this] {
        int sum = 0;
        for (const int count : m_recorder.FaultCounts())
            sum += count;
        return sum;
    };
    const auto faultsOfARun = [this, &total] {
        UdpProbe probe(kRecorder);
        m_recorder.ClearFaults();
        m_recorder.SetRandomFaults(1.0, 7);
        for (int i = 0; i < 20; ++i)
            probe.sendFrame(hex("20 01 21"));
        // The last frames may still be on their way; the counts say when not.
        static_cast<void>(QTest::qWaitFor([&total] { return total() == 20; }, 2000));
        return m_recorder.FaultCounts();
    };
    const auto counts = faultsOfARun();
    QCOMPARE(total(), 20);
    QCOMPARE(counts[size_t(xrsim::Fault::LostByte)], 0); // no such thing in a datagram
    QCOMPARE(faultsOfARun(), counts);
}

void TestSimLink::logKeepsFramesInOrderUntilCleared()
{
    UdpProbe probe(kRecorder);
    const QList<QByteArray> sent = {hex("00 11 11"), hex("20 01 22"),
                                    hex("25 31 04 03 02 01 00 60")};
    for (const QByteArray &frame : sent)
        probe.exchange(frame);
    QVERIFY(m_recorder.WaitForFrames(3, 500));
    QCOMPARE(m_recorder.ReceivedFrames(), sent);
    m_recorder.ClearReceivedFrames();
    QVERIFY(m_recorder.ReceivedFrames().isEmpty());
    QVERIFY(!m_recorder.WaitForFrames(1, 50));
}

// With the truth log on, the header of each reply carries the reply's
// number, and the log says which frame it answered and how it went out.
void TestSimLink::truthLogNumbersEveryReply()
{
    UdpProbe probe(kRecorder);
    m_recorder.RecordTruth(true);
    probe.sendFrame(hex("20 01 21"));
    QCOMPARE(probe.receive().data(), hex("00 01 00 03 00 00 00 00 00 01 10 01 11"));
    m_recorder.DropReplies(1);
    probe.sendFrame(hex("00 11 11"));
    QVERIFY(probe.staysQuiet(100));
    m_recorder.CorruptNextChecksum();
    probe.sendFrame(hex("20 00 20"));
    QCOMPARE(probe.receive().data().left(10), hex("00 01 00 03 00 00 00 00 00 03"));

    const QList<xrsim::TruthEntry> truth = m_recorder.TakeTruth();
    QCOMPARE(truth.size(), 3);
    QCOMPARE(truth.at(0).request, 1u);
    QCOMPARE(truth.at(0).frame, hex("20 01 21"));
    QCOMPARE(truth.at(0).reply, hex("10 01 11"));
    QVERIFY(truth.at(0).sent && truth.at(0).intact);
    QCOMPARE(truth.at(1).reply, hex("12 11 21 50 94"));
    QVERIFY(!truth.at(1).sent);
    QCOMPARE(truth.at(2).number, 3u);
    QVERIFY(truth.at(2).sent && !truth.at(2).intact);
    QVERIFY(m_recorder.TakeTruth().isEmpty());
}

void TestSimLink::ptyReassemblesAFrameSentInPieces()
{
    xrsim::SimConfig config;
    config.udp = false;
    config.pty = true;
    startRecorder(config);
    QVERIFY(m_recorder.PtyPath().startsWith(QLatin1String("/dev/")));
    const int fd = ::open(m_recorder.PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "\x25\x31", 2), 2);
    QTest::qWait(30);
    QCOMPARE(::write(fd, "\x04\x03\x02\x01\x00\x60", 6), 6);
    QCOMPARE(readFd(fd, 3, 500), hex("10 01 11"));
    QCOMPARE(::write(fd, "\x00\x11\x11\x20\x01\x21", 6), 6);
    QCOMPARE(readFd(fd, 8, 500), hex("12 11 21 50 94 10 01 11"));
    QCOMPARE(m_recorder.ReceivedFrames().first(), hex("25 31 04 03 02 01 00 60"));
    ::close(fd);
}

void TestSimLink::ptyAbandonsAnIncompleteFrame()
{
    xrsim::SimConfig config;
    config.udp = false;
    config.pty = true;
    startRecorder(config);
    const int fd = ::open(m_recorder.PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, "\x22\x13\x40", 3), 3);
    QCOMPARE(readFd(fd, 4, 500), hex("11 12 80 A3"));
    // The line is in step again for the next frame.
    QCOMPARE(::write(fd, "\x20\x01\x21", 3), 3);
    QCOMPARE(readFd(fd, 3, 500), hex("10 01 11"));
    ::close(fd);
}

QTEST_GUILESS_MAIN(TestSimLink)
#include "tst_simlink.moc"
