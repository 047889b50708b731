// SPDX-License-Identifier: GPL-3.0-or-later
// The traffic in words: commands named from the program's command table with
// what their data say, replies read by the command they answer, and the
// latency figures of the last minute.

#include "wireframe.h"

#include "traffic/commandwords.h"
#include "traffic/latencywindow.h"
#include "traffic/replywords.h"

#include <QTest>

namespace {

QString Command(const QByteArray &frame)
{
    return CommandWords(reinterpret_cast<const quint8 *>(frame.constData()), int(frame.size()));
}

QString Reply(const QByteArray &sent, const QByteArray &reply)
{
    return ReplyWords(reinterpret_cast<const quint8 *>(sent.constData()), int(sent.size()),
                      reinterpret_cast<const quint8 *>(reply.constData()), int(reply.size()));
}

} // namespace

class TrafficWordsTest : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void replies_data();
    void replies();
    void nakReasonsSpelledOut();
    void latencyOfTheLastMinute();
};

void TrafficWordsTest::commands_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("words");
    QTest::newRow("status 0-3") << WireFrame({0x61, 0x20, 0x04})
                                << QStringLiteral("StatusSense status bytes 0–3");
    QTest::newRow("status 2-9") << WireFrame({0x61, 0x20, 0x28})
                                << QStringLiteral("StatusSense status bytes 2–9");
    QTest::newRow("no data") << WireFrame({0x20, 0x01}) << QStringLiteral("Play");
    QTest::newRow("timer") << WireFrame({0x61, 0x0C, 0x04})
                           << QStringLiteral("CurrentTimeSense timer");
    QTest::newRow("cue-up") << WireFrame({0x25, 0x31, 0x04, 0x83, 0x02, 0x01, 0x00})
                            << QStringLiteral("CueUpWithData 01:02:03:04 field 2");
    QTest::newRow("frame") << WireFrame({0x24, 0x9D, 0x00, 0x41, 0xEB, 0x00})
                           << QStringLiteral("CueUpToFrame frame 4320000");
    QTest::newRow("segment") << WireFrame({0x22, 0xAC, 0x00, 0x12})
                             << QStringLiteral("CreateSegment segment 12");
    QTest::newRow("play segment") << WireFrame({0x25, 0xA7, 0x40, 0x00, 0x01, 0x20, 0x45})
                                  << QStringLiteral("PlaySegment segment 2045");
    QTest::newRow("chain end") << WireFrame({0x44, 0x97, 0x00, 0x07, 0x00, 0x00})
                               << QStringLiteral("EventPairPreset segment 7 then none");
    QTest::newRow("file name") << WireFrame({0x48, 0x14, 'C', 'L', 'I', 'P', '0', '1', 0, 0})
                               << QStringLiteral("LoadClip \"CLIP01\"");
    QTest::newRow("odd name") << WireFrame({0xA2, 0x02, 'A', 0x07})
                              << QStringLiteral("CreateFile \"A\\x07\"");
    QTest::newRow("file query") << WireFrame({0x63, 0xBB, 0x02, 'A', 'B'})
                                << QStringLiteral("FileInfoSense extent \"AB\"");
    QTest::newRow("setup write") << WireFrame({0x43, 0xC0, 0x02, 0x11, 0x22})
                                 << QStringLiteral("SetupPageWrite page 2, 2 bytes");
    QTest::newRow("undescribed data") << WireFrame({0x63, 0xBD, 0x06, 0xFF, 0x10})
                                      << QStringLiteral("StorageSpaceSense 06 FF 10");
    QTest::newRow("not in the table")
        << WireFrame({0x51, 0x77, 0x01}) << QStringLiteral("unknown (group 5, code 77) 01");
    // Data CMD1 announces that never came: what came is shown.
    QTest::newRow("cut short") << QByteArray("\x25\x31\x04\x83", 4)
                               << QStringLiteral("CueUpWithData 04 83");
    QTest::newRow("two bytes") << QByteArray("\x61\x20", 2) << QStringLiteral("StatusSense");
    QTest::newRow("one byte") << QByteArray("\x61", 1) << QStringLiteral("incomplete frame");
}

void TrafficWordsTest::commands()
{
    QFETCH(QByteArray, frame);
    QFETCH(QString, words);
    QCOMPARE(Command(frame), words);
}

void TrafficWordsTest::replies_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("words");
    const QByteArray status = WireFrame({0x61, 0x20, 0x0A});
    QTest::newRow("ack") << WireFrame({0x20, 0x01}) << WireFrame({0x10, 0x01})
                         << QStringLiteral("ACK");
    QTest::newRow("nak") << WireFrame({0x20, 0x01}) << WireFrame({0x11, 0x12, 0x05})
                         << QStringLiteral("NAK: unknown command, checksum error");
    QTest::newRow("nak without reason") << WireFrame({0x20, 0x01}) << WireFrame({0x10, 0x12})
                                        << QStringLiteral("NAK: no reason given");
    QTest::newRow("device type") << WireFrame({0x00, 0x11}) << WireFrame({0x12, 0x11, 0x01, 0x20})
                                 << QStringLiteral("device type 01 20 (50 Hz)");
    QTest::newRow("status")
        << status << SenseReturn(0x20, QByteArray("\x01\x21\x01\x00\x80\x00\x04\x00\x00\x42", 10))
        << QStringLiteral("status: local, playing, stopped, cue-up complete, edit on, LTC on, "
                          "playlist changed, event changed");
    QTest::newRow("status from byte 4")
        << WireFrame({0x61, 0x20, 0x42}) << SenseReturn(0x20, QByteArray("\x40\x00", 2))
        << QStringLiteral("status: full E-E on");
    QTest::newRow("status quiet") << status << SenseReturn(0x20, QByteArray(10, '\0'))
                                  << QStringLiteral("status: none");
    QTest::newRow("LTC") << WireFrame({0x61, 0x0C, 0x03})
                         << SenseReturn(0x04, QByteArray("\x45\x59\x59\x23", 4))
                         << QStringLiteral("LTC 23:59:59:05 drop frame");
    QTest::newRow("timer") << WireFrame({0x61, 0x0C, 0x04})
                           << SenseReturn(0x00, QByteArray("\x00\x80\x00\x10", 4))
                           << QStringLiteral("timer 1 10:00:00:00 field 2");
    QTest::newRow("segment") << WireFrame({0x62, 0x9A, 0x00, 0x01})
                             << SenseReturn(0x9A, QByteArray("\x00\x00\x01\xF4\x00\x00\x03\xE8", 8))
                             << QStringLiteral("in 500, out 1000");
    QTest::newRow("loaded file") << WireFrame({0x61, 0xC1, 0x01})
                                 << SenseReturn(0xC1, QByteArray("CLIP0001", 8))
                                 << QStringLiteral("\"CLIP0001\"");
    QTest::newRow("end of files") << WireFrame({0xA0, 0x15}) << WireFrame({0x71, 0x00, 0x94})
                                  << QStringLiteral("no more files");
    QTest::newRow("levels") << WireFrame({0x60, 0xAC})
                            << SenseReturn(0xAC, QByteArray("\xF0\x12\x00\x00", 4))
                            << QStringLiteral("F0 12 00 00");
    QTest::newRow("cut short") << status << QByteArray("\x7A\x20\x01", 3)
                               << QStringLiteral("status: local");
    QTest::newRow("one byte") << status << QByteArray("\x7A", 1)
                              << QStringLiteral("incomplete: 7A");
    QTest::newRow("nothing") << status << QByteArray() << QString();
}

void TrafficWordsTest::replies()
{
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, reply);
    QFETCH(QString, words);
    QCOMPARE(Reply(sent, reply), words);
}

// Bits 1 and 3 carry no meaning in the protocol: they are named by number.
void TrafficWordsTest::nakReasonsSpelledOut()
{
    QCOMPARE(NakReasons(0xF4), QStringLiteral("checksum error, parity error, buffer overrun, "
                                              "framing error, timeout"));
    QCOMPARE(NakReasons(0x0A), QStringLiteral("bit 1, bit 3"));
    QCOMPARE(NakReasons(0), QStringLiteral("no reason given"));
}

// Median and 99th percentile of the replies of the last minute, and its
// timeouts; older exchanges drop out, and a long run keeps a bounded number.
void TrafficWordsTest::latencyOfTheLastMinute()
{
    LatencyWindow window;
    QCOMPARE(window.Compute(0).answered, 0);
    const quint64 minute = LatencyWindow::kMinuteUs;
    window.Add(1, 90'000, false); // falls out of the minute below
    for (quint32 i = 1; i <= 200; ++i)
        window.Add(minute + i, i * 100, false);
    window.Add(minute + 300, 200'000, true);
    window.Add(minute + 301, 200'000, true);
    LatencyWindow::Figures figures = window.Compute(2 * minute);
    QCOMPARE(figures.answered, 200);
    QCOMPARE(figures.medianUs, quint32(100 * 100));
    QCOMPARE(figures.p99Us, quint32(198 * 100));
    QCOMPARE(figures.timeouts, 2);
    figures = window.Compute(3 * minute + 1000);
    QCOMPARE(figures.answered, 0);
    QCOMPARE(figures.timeouts, 0);

    for (std::size_t i = 0; i < LatencyWindow::kMaxSamples + 10; ++i)
        window.Add(4 * minute, 1000, false);
    QCOMPARE(std::size_t(window.Compute(4 * minute).answered), LatencyWindow::kMaxSamples);
}

QTEST_APPLESS_MAIN(TrafficWordsTest)
#include "tst_trafficwords.moc"
