// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "link/seriallink.h"
#include "protocol/commandengine.h"
#include "protocol/sensecommands.h"
#include "server/serialline.h"
#include "simrecorder.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>

// The serial link against the simulated recorder's pseudo-terminal, which
// keeps a real line's pace (38400 baud, 11 bit times a byte) and commits the
// faults of a serial line.
class TestSerialLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void statusExchangeTakesItsWireTime();
    void lineFaultsGiveTheirStatus_data();
    void lineFaultsGiveTheirStatus();
    void replyInPiecesIsReadWhole();

private:
    xrsim::SimRecorder recorder;
    std::unique_ptr<SerialLink> link;
    std::unique_ptr<DeviceRecord> device;
};

void TestSerialLine::initTestCase()
{
    xrsim::SimConfig config;
    config.udp = false;
    config.pty = true;
    QVERIFY2(recorder.Start(config), qPrintable(recorder.ErrorString()));
    qputenv("TAVREL_COM1", recorder.PtyPath().toLocal8Bit());
    link = std::make_unique<SerialLink>(0);
    QCOMPARE(link->Open(), kStatusOk);
    device = std::make_unique<DeviceRecord>(link.get(), PeerAddress{0, 0}, QStringLiteral("Com1"));
}

void TestSerialLine::init()
{
    recorder.ClearFaults();
    device->disconnected = 0;
    CurrentDevice = device.get();
}

void TestSerialLine::cleanupTestCase()
{
    CurrentDevice = nullptr;
}

// The request (4 bytes: 61 20 0A and its checksum) and the status reply (13
// bytes) each take their bytes' time on the wire, and the recorder its
// turnaround between them.
void TestSerialLine::statusExchangeTakesItsWireTime()
{
    constexpr qint64 kWireNs = xrsim::SerialLine::WireNs(4 + 13) + xrsim::SerialLine::kTurnaroundNs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(StatusSense(), kStatusOk);
        QVERIFY2(timer.nsecsElapsed() >= kWireNs,
                 qPrintable(QStringLiteral("%1 ns").arg(timer.nsecsElapsed())));
    }
}

void TestSerialLine::lineFaultsGiveTheirStatus_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("status");
    // A lost byte leaves the reply short of its announced data.
    QTest::newRow("lost byte") << 0 << int(kStatusNoReply);
    // A broken byte arrives as another: the checksum no longer matches.
    QTest::newRow("wrong byte") << 1 << int(kStatusBadChecksum);
}

void TestSerialLine::lineFaultsGiveTheirStatus()
{
    QFETCH(int, fault);
    QFETCH(int, status);
    if (fault == 0)
        recorder.LoseNextReplyByte(5);
    else
        recorder.BreakNextReplyByte(5);
    QCOMPARE(StatusSense(), qint16(status));
    // The line is in step again for the next exchange.
    QCOMPARE(StatusSense(), kStatusOk);
}

void TestSerialLine::replyInPiecesIsReadWhole()
{
    recorder.SplitNextReply(30);
    QCOMPARE(StatusSense(), kStatusOk);
    QCOMPARE(ReplyFrame[0], quint8(0x7A));
    QCOMPARE(recorder.FaultCounts()[size_t(xrsim::Fault::Pieces)], 1);
}

QTEST_GUILESS_MAIN(TestSerialLine)
#include "tst_serialline.moc"
