// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's segments and files as the segment list, the
// playlist and the files page read them, and the faulty recorders that
// scenarios make for their bad-input tests.

#include "simfixture.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.30.21"));

xrsim::Scenario scenarioOf(const QStringList &lines)
{
    xrsim::Scenario scenario;
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        QString error;
        if (!scenario.Set(line.left(equals).trimmed(), line.mid(equals + 1), &error))
            qWarning() << error;
    }
    return scenario;
}

} // namespace

class TestSimClips : public QObject, public SimFixture
{
    Q_OBJECT

public:
    TestSimClips() : SimFixture(kRecorder) {}

private slots:
    void cleanup();

    void segmentsKeepTheirSourcesAndNumbers();
    void rawSegmentsAreReportedAsGiven();
    void demoScenarioHasSegmentsOfSeveralFiles();

    void fixedAnswersForChosenFrames();
    void recorderFallsSilentDuringAReload();

    void fileRepliesInAnotherGroup();
    void fileListThatNeverEnds();
    void namesOutsidePrintableAscii();
    void loadedFileAndFreeTime();
};

void TestSimClips::cleanup()
{
    recorder.Stop();
}

void TestSimClips::segmentsKeepTheirSourcesAndNumbers()
{
    QVERIFY(start(scenarioOf({"file = INTRO", "file = NEWS", "loaded = NEWS",
                              "segment = 1,00:00:01:00,00:00:02:00",
                              "segment = 2,00:00:04:00,00:00:05:00,INTRO,12,9999",
                              "segment = 3,00:00:06:00,00:00:07:00,GONE"})));
    QCOMPARE(ask("62 9B 00 01"), hex("78 9B") + paddedName("NEWS"));
    QCOMPARE(ask("62 9B 00 02"), hex("78 9B") + paddedName("INTRO"));
    QCOMPARE(ask("62 9B 00 03"), hex("78 9B") + paddedName("GONE"));
    // In and out in fields of PAL, then the two further numbers in BCD.
    QCOMPARE(ask("62 9A 00 02"), hex("7C 9A 00 00 00 C8 00 00 00 FA 00 12 99 99"));
    QCOMPARE(ask("62 9A 00 01").right(4), hex("00 00 00 00"));

    // Playing a segment loads its source; a renamed file keeps its segments.
    QCOMPARE(ask("25 A7 40 00 01 00 02"), kAck);
    QCOMPARE(ask("61 C1 01"), hex("78 C1") + paddedName("INTRO"));
    QCOMPARE(ask("38 11 " + nameHex("OPENING")), kAck);
    QCOMPARE(ask("62 9B 00 02"), hex("78 9B") + paddedName("OPENING"));
    QCOMPARE(ask("62 9B 00 01"), hex("78 9B") + paddedName("NEWS"));

    // Cutting one leaves the numbers around it as they were.
    QCOMPARE(ask("42 9B 00 02"), kAck);
    QCOMPARE(ask("62 9A 00 02"), kRefused);
    QCOMPARE(ask("62 9A 00 03").left(6), hex("7C 9A 00 00 01 2C"));
}

// Positions beyond any timecode and an out point before the in point are
// the recorder's to report; it plays and cues them as well as it can.
void TestSimClips::rawSegmentsAreReportedAsGiven()
{
    QVERIFY(start(scenarioOf({"raw_segment = 5,0x00989680,0x0098A000", "raw_segment = 6,500,100",
                              "raw_segment = 7,0,0xFFFFFFFF,XXX00001"})));
    QCOMPARE(ask("62 9A 00 05"), hex("7C 9A 00 98 96 80 00 98 A0 00 00 00 00 00"));
    QCOMPARE(ask("62 9A 00 06"), hex("7C 9A 00 00 01 F4 00 00 00 64 00 00 00 00"));
    QCOMPARE(ask("62 9A 00 07").mid(2, 8), hex("00 00 00 00 FF FF FF FF"));
    QCOMPARE(ask("62 9B 00 07"), hex("78 9B") + "XXX00001");
    QCOMPARE(ask("62 9B 00 06"), hex("78 9B") + "XXXXXXXX");

    // 10,000,000 fields are 55 hours 33 minutes 20 seconds of PAL.
    QCOMPARE(ask("24 9D 00 98 96 80"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 20 33 55"));
    QCOMPARE(ask("25 A7 40 00 01 00 06"), kAck);
    recorder.AdvanceClock(100);
    QCOMPARE(quint8(ask("61 20 0A").at(3)) & 0x01, 0);
}

void TestSimClips::demoScenarioHasSegmentsOfSeveralFiles()
{
    xrsim::Scenario scenario;
    QString error;
    QVERIFY2(scenario.LoadFile(QStringLiteral(XRSIM_DEMO_SCENARIO), &error), qPrintable(error));
    QVERIFY(start(scenario));
    QSet<QByteArray> sources;
    int segments = 0;
    for (int number = 1; number <= 8; ++number) {
        const QByteArray request = "62 9B 00 0" + QByteArray::number(number);
        const QByteArray source = ask(request);
        if (source == kRefused)
            continue;
        ++segments;
        sources.insert(source.mid(2));
        QCOMPARE(ask("62 9A" + request.mid(5)).left(2), hex("7C 9A"));
    }
    QCOMPARE(segments, 6);
    QCOMPARE(sources, (QSet<QByteArray>{"CLIP0000", "CLIP0001", "CLIP0002"}));
}

void TestSimClips::fixedAnswersForChosenFrames()
{
    QVERIFY(start(scenarioOf(
        {"segment = 1,00:00:01:00,00:00:02:00", "segment = 2,00:00:04:00,00:00:05:00",
         "segment = 3,00:00:06:00,00:00:07:00", "answer = 22 AC, 11 12 08",
         "answer = 42 9B 00 03, 11 12 08", "answer = 62 9A 00 02, 76 9A 00 00 00 C8 00 00",
         "answer = 62 9A 00 03, 5C 9A 00 00 01 2C 00 00 01 5E 00 00 00 00",
         "answer = 61 95 08, 8F 95 FF 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E",
         "answer = 61 95 09,"})));
    // Creates and chosen deletes are refused without being carried out.
    QCOMPARE(ask("40 10"), kAck);
    QCOMPARE(ask("40 11"), kAck);
    QCOMPARE(ask("22 AC 00 04"), kRefused);
    QCOMPARE(ask("62 9A 00 04"), kRefused);
    QCOMPARE(ask("42 9B 00 03"), kRefused);
    QCOMPARE(ask("62 9B 00 03").left(2), hex("78 9B"));
    // Segment 2 answers short, segment 3 in group 5; segment 1 as ever.
    QCOMPARE(ask("62 9A 00 02"), hex("76 9A 00 00 00 C8 00 00"));
    QCOMPARE(ask("62 9A 00 03"), hex("5C 9A 00 00 01 2C 00 00 01 5E 00 00 00 00"));
    QCOMPARE(ask("62 9A 00 01"), hex("7C 9A 00 00 00 32 00 00 00 64 00 00 00 00"));
    // A display line in another group, at column 63, with fifteen characters;
    // and a key that gets no reply at all.
    QCOMPARE(ask("61 95 08").left(4), hex("8F 95 FF 41"));
    QVERIFY(ask("61 95 09", 200).isEmpty());
    QCOMPARE(recorder.ReceivedFrames().last(), hex("61 95 09 FF"));
    QCOMPARE(ask("61 95 01").left(3), hex("7E 95 C0"));
}

// Asked for segment 4's information the recorder falls silent, say powered
// off in the middle of a reload; after its silence it answers again.
void TestSimClips::recorderFallsSilentDuringAReload()
{
    QVERIFY(start(
        scenarioOf({"segment = 3,00:00:01:00,00:00:02:00", "segment = 5,00:00:04:00,00:00:05:00",
                    "fall_silent = 62 9A 00 04, 3000"})));
    QCOMPARE(ask("62 9A 00 03").left(2), hex("7C 9A"));
    for (const char *silenced : {"62 9A 00 04", "62 9A 00 05", "60 20 0A", "00 11"})
        QVERIFY2(ask(silenced, 150).isEmpty(), silenced);
    QCOMPARE(recorder.ReceivedFrames().size(), 5);
    recorder.AdvanceClock(3000);
    QCOMPARE(ask("62 9A 00 05").left(2), hex("7C 9A"));
    // It falls silent once only.
    QCOMPARE(ask("62 9A 00 04"), kRefused);

    QVERIFY(start(scenarioOf({"fall_silent = 62 9A 00 02"})));
    QCOMPARE(ask("62 9A 00 01"), kRefused);
    QVERIFY(ask("62 9A 00 02", 150).isEmpty());
    recorder.AdvanceClock(3600000);
    QVERIFY(ask("00 11", 150).isEmpty());
}

// The list, name query and free time replies in group 0xB: the data are the
// same as ever, the current file (a sense request) still comes in group 7.
void TestSimClips::fileRepliesInAnotherGroup()
{
    xrsim::Scenario scenario = scenarioOf(
        {"file = CLIP0000", "file = CLIP0001", "loaded = CLIP0001", "file_reply_group = 11"});
    QVERIFY(start(scenario));
    QCOMPARE(ask("A0 14"), hex("B8 14") + "CLIP0000");
    QCOMPARE(ask("A0 15"), hex("B8 15") + "CLIP0001");
    QCOMPARE(ask("A0 15"), hex("B1 15 94"));
    QCOMPARE(ask("A8 18 " + nameHex("CLIP0001")), hex("B1 18 01"));
    QCOMPARE(ask("A8 18 " + nameHex("CLIP0002")), hex("B1 18 00"));
    QCOMPARE(ask("A0 1D").left(2), hex("B5 1D"));
    QCOMPARE(ask("61 C1 01"), hex("78 C1") + "CLIP0001");
    QCOMPARE(ask("A8 02 " + nameHex("NEW")), kAck);

    scenario.fileReplyGroup = 1;
    scenario.files.clear();
    scenario.loaded.clear();
    QVERIFY(start(scenario));
    QCOMPARE(ask("A0 14"), hex("11 14 94"));
}

void TestSimClips::fileListThatNeverEnds()
{
    QVERIFY(start(scenarioOf({"file = A", "file = B", "file = C", "list_end = never"})));
    QCOMPARE(ask("A0 14"), hex("78 14") + paddedName("A"));
    QByteArray names;
    for (int i = 0; i < 30; ++i) {
        const QByteArray next = ask("A0 15");
        QCOMPARE(next.left(2), hex("78 15"));
        names.append(next.at(2));
    }
    QCOMPARE(names, QByteArray("BCA").repeated(10));

    // No files: the first answer still says so.
    QVERIFY(start(scenarioOf({"list_end = never"})));
    QCOMPARE(ask("A0 14"), hex("71 14 94"));
}

// Names are bytes: outside printable ASCII they travel unchanged, a name of
// eight characters has no terminating zero.
void TestSimClips::namesOutsidePrintableAscii()
{
    QVERIFY(start(scenarioOf({"file = \\x01\\xFFCLIP\\x7F", "file = CAF\\xC9 \\\\1",
                              "file = XXX00001", "loaded = \\x01\\xFFCLIP\\x7F"})));
    const QByteArray odd("\x01\xFF"
                         "CLIP\x7F",
                         7);
    QCOMPARE(ask("A0 14"), hex("78 14") + odd + '\0');
    QCOMPARE(ask("A0 15"), hex("78 15") + paddedName("CAF\xC9 \\1"));
    QCOMPARE(ask("A0 15"), hex("78 15") + "XXX00001");
    QCOMPARE(ask("61 C1 01"), hex("78 C1") + odd + '\0');
    QCOMPARE(ask("A8 18 " + odd.toHex(' ') + " 00"), hex("71 18 01"));
    QCOMPARE(ask("48 14 " + nameHex("XXX00001")), kAck);
    QCOMPARE(ask("61 C1 01"), hex("78 C1") + "XXX00001");
}

void TestSimClips::loadedFileAndFreeTime()
{
    // Nothing loaded: the current file answer carries 0x11 instead of a name.
    QVERIFY(start(scenarioOf({"file = TAKE1"})));
    QCOMPARE(ask("61 C1 01"), hex("71 C1 11"));
    QCOMPARE(ask("A8 02 " + nameHex("TAKE2")), kAck);
    QCOMPARE(ask("61 C1 01"), hex("78 C1") + paddedName("TAKE2"));
    QCOMPARE(ask("A8 10 " + nameHex("TAKE2")), kAck);
    QCOMPARE(ask("61 C1 01"), hex("71 C1 11"));

    // 4,000,000 MB at 1 Mb/s are 8888 hours 53 minutes 20 seconds: the
    // fifth byte carries the hundreds of hours, the older form has none.
    xrsim::Scenario big =
        scenarioOf({"disk = 1,0,ready,2000000", "disk = 1,1,ready,2000000", "record_mbps = 1"});
    QVERIFY(start(big));
    QCOMPARE(ask("A0 1D"), hex("75 1D 00 20 53 88 08"));
    big.generation = xrsim::Scenario::Generation::Dv;
    QVERIFY(start(big));
    QCOMPARE(ask("A0 1C"), hex("74 1C 00 20 53 88"));
}

QTEST_GUILESS_MAIN(TestSimClips)
#include "tst_simclips.moc"
