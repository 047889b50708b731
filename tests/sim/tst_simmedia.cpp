// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's material: files and their list, recording into
// a file, segments, and the playlist chain, checked through frames written
// by hand.

#include "simfixture.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.31.21"));

xrsim::Scenario withFiles(const QStringList &names)
{
    xrsim::Scenario scenario;
    for (const QString &name : names)
        scenario.files.append({name, 60, 8});
    return scenario;
}

} // namespace

class TestSimMedia : public QObject, public SimFixture
{
    Q_OBJECT

public:
    TestSimMedia() : SimFixture(kRecorder) {}

private slots:
    void cleanup();

    void fileListEnds_data();
    void fileListEnds();
    void noFilesAndOlderFirmware();
    void createRenameLoadDelete();
    void recordingGrowsTheLoadedFile();
    void fileInformation();

    void segmentsFromMarkedPoints();
    void playlistChainMovesOn();
    void deletingALinkedSegmentChangesThePlaylist();
    void optionPlayRunsThePlaylist();
    void pelletHasNoSegmentsOrMeters();
};

void TestSimMedia::cleanup()
{
    recorder.Stop();
}

void TestSimMedia::fileListEnds_data()
{
    QTest::addColumn<int>("listEnd");
    QTest::addColumn<QByteArray>("lastCode");
    QTest::newRow("end marker") << int(xrsim::Scenario::ListEnd::Marker) << hex("78 15");
    QTest::newRow("last name") << int(xrsim::Scenario::ListEnd::LastName) << hex("78 00");
}

void TestSimMedia::fileListEnds()
{
    QFETCH(int, listEnd);
    QFETCH(QByteArray, lastCode);
    xrsim::Scenario scenario = withFiles({"CLIP0000", "CLIP0001", "CLIP0002"});
    scenario.listEnd = xrsim::Scenario::ListEnd(listEnd);
    QVERIFY(start(scenario));
    QCOMPARE(ask("A0 14"), hex("78 14") + "CLIP0000");
    QCOMPARE(ask("A0 15"), hex("78 15") + "CLIP0001");
    QCOMPARE(ask("A0 15"), lastCode + "CLIP0002");
    QCOMPARE(ask("A0 15"), hex("71 15 94"));
    QCOMPARE(ask("A0 15"), hex("71 15 94"));
    // Stepping back (the browser's dial turned back) from past the end.
    QCOMPARE(ask("A1 15 FF"), hex("78 15") + "CLIP0002");
    QCOMPARE(ask("A1 15 FF"), hex("78 15") + "CLIP0001");
    QCOMPARE(ask("A1 15 FF"), hex("78 15") + "CLIP0000");
    QCOMPARE(ask("A1 15 FF"), hex("71 15 94"));
    QCOMPARE(ask("A0 14"), hex("78 14") + "CLIP0000");
    QCOMPARE(ask("A1 15 01"), kRefused);
}

void TestSimMedia::noFilesAndOlderFirmware()
{
    QVERIFY(start());
    QCOMPARE(ask("A0 14"), hex("71 14 94"));
    QCOMPARE(ask("A0 15"), hex("71 15 94"));
    QCOMPARE(ask("61 C1 01"), hex("71 C1 11"));
    QCOMPARE(ask("A0 1C"), kUnknown);
    QCOMPARE(ask("A0 1D").left(2), hex("75 1D"));

    // Older firmware keeps a disk name, no files, and tells its remaining
    // time in the four-byte form only.
    xrsim::Scenario older = withFiles({"CLIP0000"});
    older.generation = xrsim::Scenario::Generation::Dv;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("CLIP0000.*left out")));
    QVERIFY(start(older));
    QCOMPARE(ask("A0 14"), hex("78 14") + "$$$$$$$$");
    QCOMPARE(ask("A8 02 " + nameHex("NEW")), kRefused);
    QCOMPARE(ask("A8 18 " + nameHex("CLIP0000")), kRefused);
    QCOMPARE(ask("A0 1D"), kUnknown);
    QCOMPARE(ask("A0 1C").left(2), hex("74 1C"));
    QCOMPARE(ask("60 A1"), hex("77 A1") + "XR DISK");
    QCOMPARE(ask("43 A1 41 42 43"), kAck);
    QCOMPARE(ask("60 A1"), hex("73 A1") + "ABC");

    // Current firmware set up without a file store answers the same.
    xrsim::Scenario noStore = withFiles({"CLIP0000"});
    QString error;
    QVERIFY(noStore.Set(QStringLiteral("file_store"), QStringLiteral("off"), &error));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("CLIP0000.*left out")));
    QVERIFY(start(noStore));
    QCOMPARE(ask("A0 14"), hex("78 14") + "$$$$$$$$");
    QCOMPARE(ask("A8 02 " + nameHex("NEW")), kRefused);
    QCOMPARE(ask("A8 18 " + nameHex("CLIP0000")), kRefused);
    QCOMPARE(ask("A0 1D").left(2), hex("75 1D"));
}

void TestSimMedia::createRenameLoadDelete()
{
    QVERIFY(start(withFiles({"CLIP0000"})));
    QCOMPARE(ask("A8 02 " + nameHex("NEWCLIP")), kAck);
    QCOMPARE(ask("A8 18 " + nameHex("NEWCLIP")), hex("71 18 01"));
    QCOMPARE(ask("61 C1 01"), hex("78 C1 4E 45 57 43 4C 49 50 00"));

    QCOMPARE(ask("38 11 " + nameHex("TAKE1")), kAck);
    QCOMPARE(ask("A8 18 " + nameHex("NEWCLIP")), hex("71 18 00"));
    QCOMPARE(ask("61 C1 01"), hex("78 C1 54 41 4B 45 31 00 00 00"));
    QCOMPARE(ask("38 11 " + nameHex("CLIP0000")), kRefused);

    QCOMPARE(ask("48 14 " + nameHex("CLIP0000")), kAck);
    QCOMPARE(ask("61 C1 01"), hex("78 C1") + "CLIP0000");
    QCOMPARE(ask("A8 10 " + nameHex("CLIP0000")), kAck);
    QCOMPARE(ask("61 C1 01"), hex("71 C1 11"));
    QCOMPARE(ask("A8 10 " + nameHex("CLIP0000")), kRefused);
    QCOMPARE(ask("48 14 " + nameHex("CLIP0000")), kRefused);
    QCOMPARE(ask("38 11 " + nameHex("OTHER")), kRefused);
    QCOMPARE(ask("A8 02 " + nameHex("")), kRefused);
}

void TestSimMedia::recordingGrowsTheLoadedFile()
{
    QVERIFY(start());
    QCOMPARE(ask("61 BD 06"), hex("79 BD 06 00 02 3A 50 00 02 3A 50"));
    const QByteArray timeBefore = ask("A0 1D");
    QCOMPARE(ask("A8 02 " + nameHex("TAKE1")), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("20 02"), kAck);
    recorder.AdvanceClock(10000);
    QCOMPARE(ask("20 00"), kAck);

    // Ten seconds of PAL are 250 frames, 0 to 249 (a frame more if the
    // real clock ran on meanwhile).
    const QByteArray extent = ask("69 BB 02 " + nameHex("TAKE1"));
    QCOMPARE(extent.left(7), hex("79 BB 02 00 00 00 00"));
    const int last = quint8(extent.at(9)) << 8 | quint8(extent.at(10));
    QVERIFY2(last >= 249 && last <= 251, qPrintable(extent.toHex(' ')));
    QCOMPARE(ask("61 D2 01"), hex("74 D2 01 10 00 00"));
    QCOMPARE(ask("61 D2 00"), hex("74 D2 00 10 00 00"));

    // 62.5 megabytes at 50 Mb/s come off the free space and time.
    const QByteArray space = ask("61 BD 06");
    const int free = quint8(space.at(5)) << 8 | quint8(space.at(6));
    QCOMPARE(space.mid(7), hex("00 02 3A 50"));
    QVERIFY2(free == 0x3A50 - 63 || free == 0x3A50 - 62, qPrintable(space.toHex(' ')));
    QVERIFY(ask("A0 1D") != timeBefore);

    // The player side does not record.
    QCOMPARE(ask("31 10 01"), kAck);
    QCOMPARE(ask("20 02"), kRefused);
    QCOMPARE(ask("31 10 00"), kAck);
    QCOMPARE(ask("20 02"), kAck);
}

void TestSimMedia::fileInformation()
{
    xrsim::Scenario scenario;
    scenario.videoStandard = 1;
    scenario.files = {{QStringLiteral("CLIP0000"), 30, 4}};
    QVERIFY(start(scenario));
    // 30 seconds of NTSC are 899 frames, 0 to 898.
    QCOMPARE(ask("69 BB 01 " + nameHex("CLIP0000")), hex("75 BB 01 01 32 00 01"));
    QCOMPARE(ask("69 BB 02 " + nameHex("CLIP0000")), hex("79 BB 02 00 00 00 00 00 00 03 82"));
    QCOMPARE(ask("69 BC 01 " + nameHex("CLIP0000")), hex("72 BC 01 04"));
    QCOMPARE(ask("61 BB 40"), hex("72 BB 40 01"));
    QCOMPARE(ask("69 BB 01 " + nameHex("MISSING")), kRefused);
    QCOMPARE(ask("69 BB 03 " + nameHex("CLIP0000")), kRefused);

    scenario.dropFrame = false;
    scenario.tag = 0x4D504547; // "MPEG": I, B and P pictures
    QVERIFY(start(scenario));
    QCOMPARE(ask("61 BB 40"), hex("72 BB 40 00"));
    QCOMPARE(ask("69 BB 01 " + nameHex("CLIP0000")), hex("75 BB 01 01 32 00 03"));
}

void TestSimMedia::segmentsFromMarkedPoints()
{
    QVERIFY(start());
    QCOMPARE(ask("22 AC 00 01"), kRefused);
    QCOMPARE(ask("25 31 00 01 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("40 10"), kAck);
    QCOMPARE(ask("22 AC 00 01"), kRefused);
    QCOMPARE(ask("25 31 00 03 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("40 11"), kAck);
    QCOMPARE(ask("22 AC 00 01"), kAck);

    // Positions count fields on an interlaced recorder: 1 s is 50.
    QCOMPARE(ask("62 9A 00 01"), hex("7C 9A 00 00 00 32 00 00 00 96 00 00 00 00"));
    QCOMPARE(ask("62 9B 00 01"), hex("78 9B") + "XXXXXXXX");
    QCOMPARE(ask("22 AC 20 45"), kAck);
    QCOMPARE(ask("62 9A 20 45").left(2), hex("7C 9A"));
    for (const char *number : {"22 AC 00 00", "22 AC 20 46", "22 AC 00 1A"})
        QCOMPARE(ask(number), kRefused);

    // An out point before the in point makes no segment.
    QCOMPARE(ask("40 10"), kAck);
    QCOMPARE(ask("25 31 00 00 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("40 11"), kAck);
    QCOMPARE(ask("22 AC 00 02"), kRefused);

    QCOMPARE(ask("42 9B 00 01"), kAck);
    QCOMPARE(ask("62 9A 00 01"), kRefused);
    QCOMPARE(ask("42 9B 00 01"), kRefused);
}

void TestSimMedia::playlistChainMovesOn()
{
    xrsim::Scenario scenario = withFiles({"CLIP0000"});
    scenario.loaded = QStringLiteral("CLIP0000");
    scenario.segments = {{1, "00:00:00:00", "00:00:02:00"},
                         {2, "00:00:10:00", "00:00:12:00"},
                         {3, "00:00:30:00", "00:00:31:00"}};
    QVERIFY(start(scenario));
    QCOMPARE(ask("62 9B 00 02"), hex("78 9B") + "CLIP0000");
    QCOMPARE(ask("44 97 00 01 00 02"), kAck);
    QCOMPARE(ask("44 97 00 02 00 03"), kAck);
    QCOMPARE(ask("25 A7 40 00 01 00 01"), kAck);
    QCOMPARE(ask("60 98"), hex("72 98 00 01"));
    QCOMPARE(statusByte(9), quint8(0x00));

    // Half a second past segment 1's out point playback is half a second
    // into segment 2, and the recorder says it moved on.
    recorder.AdvanceClock(2500);
    QCOMPARE(statusByte(9), quint8(0x40));
    QCOMPARE(ask("60 98"), hex("72 98 00 02"));
    QCOMPARE(ask("61 0C 04").left(5), hex("74 00 12 10 00"));
    QCOMPARE(ask("40 9E"), kAck);
    QCOMPARE(statusByte(9), quint8(0x00));

    recorder.AdvanceClock(2000);
    QCOMPARE(statusByte(9), quint8(0x40));
    QCOMPARE(ask("60 98"), hex("72 98 00 03"));
    QCOMPARE(ask("40 9E"), kAck);

    // Segment 3 has no link: playback stops on its out point.
    recorder.AdvanceClock(1000);
    QCOMPARE(statusByte(1) & 0x01, 0);
    QCOMPARE(statusByte(9), quint8(0x00));
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 31 00 00"));
    QCOMPARE(ask("60 98"), hex("72 98 00 03"));
}

void TestSimMedia::deletingALinkedSegmentChangesThePlaylist()
{
    xrsim::Scenario scenario;
    scenario.segments = {{1, "00:00:00:00", "00:00:02:00"}, {2, "00:00:10:00", "00:00:12:00"}};
    QVERIFY(start(scenario));
    QCOMPARE(ask("44 97 00 01 00 02"), kAck);
    QCOMPARE(ask("44 97 00 01 00 00"), kAck);
    QCOMPARE(ask("25 A7 40 00 01 00 01"), kAck);
    recorder.AdvanceClock(3000);
    QCOMPARE(ask("60 98"), hex("72 98 00 01"));
    QCOMPARE(statusByte(9), quint8(0x00));

    QCOMPARE(ask("44 97 00 01 00 02"), kAck);
    QCOMPARE(ask("42 9B 00 02"), kAck);
    QCOMPARE(statusByte(9), quint8(0x02));
    QCOMPARE(ask("40 A0"), kAck);
    QCOMPARE(statusByte(9), quint8(0x00));
    QCOMPARE(ask("44 97 00 01 0A 00"), kRefused);
    QCOMPARE(ask("44 97 00 00 00 01"), kRefused);
}

void TestSimMedia::optionPlayRunsThePlaylist()
{
    xrsim::Scenario scenario;
    scenario.segments = {{1, "00:00:00:00", "00:00:02:00"}, {2, "00:00:10:00", "00:00:12:00"}};
    QVERIFY(start(scenario));
    QCOMPARE(ask("44 96 00 02 00 00"), kAck);
    QCOMPARE(ask("20 37"), kAck);
    QCOMPARE(ask("60 98"), hex("72 98 00 02"));
    QCOMPARE(ask("61 0C 04").left(4), hex("74 00 00 10"));
    QCOMPARE(statusByte(0) & 0x10, 0);
    QCOMPARE(statusByte(1), quint8(0x01));
}

void TestSimMedia::pelletHasNoSegmentsOrMeters()
{
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Pellet;
    scenario.segments = {{1, "00:00:00:00", "00:00:02:00"}};
    QVERIFY(start(scenario));
    QCOMPARE(ask("60 B1"), hex("7E B1") + "PELLET V1.4.5" + '\0');
    QCOMPARE(ask("60 AC"), kUnknown);
    for (const char *command :
         {"62 9A 00 01", "22 AC 00 01", "25 A7 40 00 01 00 01", "44 97 00 01 00 02", "60 98"})
        QCOMPARE(ask(command), kRefused);
    QCOMPARE(ask("A0 1D").left(2), hex("75 1D"));
}

QTEST_GUILESS_MAIN(TestSimMedia)
#include "tst_simmedia.moc"
