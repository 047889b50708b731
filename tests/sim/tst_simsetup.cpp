// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's setup pages, front panel, SCSI disks and
// information block, checked through frames written by hand.

#include "simfixture.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.31.31"));

} // namespace

class TestSimSetup : public QObject, public SimFixture
{
    Q_OBJECT

public:
    TestSimSetup() : SimFixture(kRecorder) {}

private slots:
    void cleanup();

    void setupPagesPersist();
    void setupPageAnsweredShort();
    void appliedPageChangesTheRecorder();
    void channelModeGatesThePlayerSide();

    void remoteLocalThroughTheMenu_data();
    void remoteLocalThroughTheMenu();
    void versionKey_data();
    void versionKey();
    void optionsMenuChangesSetup();
    void saveAndRecallSegments();

    void disksNeedMaintenanceAndTime();
    void formatShowsOnThePanel();
    void formatThatNeverEnds();

    void informationBlock_data();
    void informationBlock();
};

void TestSimSetup::cleanup()
{
    recorder.Stop();
}

void TestSimSetup::setupPagesPersist()
{
    QVERIFY(start());
    QCOMPARE(ask("40 C3"), kAck);
    QCOMPARE(ask("61 C0 00"), hex("7F C0 00 00 00 00 00 00 00 00 50 00 00 00 00 00 54"));
    QCOMPARE(ask("61 C0 07"), hex("7F C0 07 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));

    QCOMPARE(ask("47 C0 01 FF 28 02 FF 01 03"), kAck);
    QCOMPARE(ask("61 C0 01"), hex("7F C0 01 FF 28 02 FF 01 03 00 00 00 00 00 00 00 00"));
    // A shorter write leaves the rest of the page alone.
    QCOMPARE(ask("43 C0 01 00 00"), kAck);
    QCOMPARE(ask("41 C1 01"), kAck);
    QCOMPARE(ask("61 C0 01"), hex("7F C0 01 00 00 02 FF 01 03 00 00 00 00 00 00 00 00"));
    QCOMPARE(ask("61 C0 02"), hex("7F C0 02 04 04 00 00 00 02 00 00 00 00 00 00 00 00"));

    QCOMPARE(ask("4F C0 0A 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E"), kAck);
    QCOMPARE(ask("61 C0 0A"), hex("7F C0 0A 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E"));
    for (const char *command : {"61 C0 0B", "42 C0 0B 00", "41 C1 0B", "60 C0"})
        QCOMPARE(ask(command), kRefused);
}

// A recorder that answers one page short: only that page, only the bytes
// asked for, the page number first.
void TestSimSetup::setupPageAnsweredShort()
{
    xrsim::Scenario scenario;
    QString error;
    QVERIFY(scenario.Set(QStringLiteral("short_setup_page"), QStringLiteral("0,2"), &error));
    scenario.shortSetupPages.append({5, 0});
    QVERIFY(!scenario.Set(QStringLiteral("short_setup_page"), QStringLiteral("0,15"), &error));
    QVERIFY(!scenario.Set(QStringLiteral("short_setup_page"), QStringLiteral("11,2"), &error));
    QVERIFY(start(scenario));
    QCOMPARE(ask("61 C0 00"), hex("72 C0 00 00"));
    QCOMPARE(ask("61 C0 05"), hex("70 C0"));
    QCOMPARE(ask("61 C0 01"), hex("7F C0 01 00 00 01 00 00 00 00 00 00 00 00 00 00 00"));
}

void TestSimSetup::appliedPageChangesTheRecorder()
{
    QVERIFY(start());
    QCOMPARE(ask("00 11"), hex("12 11 21 50"));
    QCOMPARE(ask("43 C0 08 05 01"), kAck);
    QCOMPARE(ask("00 11"), hex("12 11 21 50"));
    QCOMPARE(ask("41 C1 08"), kAck);
    QCOMPARE(ask("00 11"), hex("12 11 20 50"));
    QCOMPARE(probe.requestBlock(1).mid(94, 2), hex("01 05"));

    // The timer mode is page 0 byte 3.
    QCOMPARE(ask("41 36 01"), kAck);
    QCOMPARE(ask("61 C0 00").at(6), char(0x01));
}

void TestSimSetup::channelModeGatesThePlayerSide()
{
    QVERIFY(start());
    QCOMPARE(ask("31 10 01"), kAck);
    QCOMPARE(statusByte(8), quint8(0x01));
    // Each side has its own transport.
    QCOMPARE(ask("25 31 00 10 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 10 00 00"));
    QCOMPARE(ask("31 10 00"), kAck);
    QCOMPARE(statusByte(8), quint8(0x00));
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 00 00 00"));
    QCOMPARE(ask("31 10 02"), kRefused);

    xrsim::Scenario single;
    single.channelMode = 0x50;
    QVERIFY(start(single));
    QCOMPARE(ask("61 C0 00").right(1), hex("50"));
    QCOMPARE(ask("31 10 01"), kRefused);
    QCOMPARE(ask("4F C0 00 00 00 00 00 00 00 00 50 00 00 00 00 00 54"), kAck);
    QCOMPARE(ask("31 10 01"), kRefused);
    QCOMPARE(ask("41 C1 00"), kAck);
    QCOMPARE(ask("31 10 01"), kAck);
}

void TestSimSetup::remoteLocalThroughTheMenu_data()
{
    QTest::addColumn<int>("generation");
    QTest::addColumn<QByteArray>("remote");
    QTest::addColumn<QByteArray>("local");
    QTest::addColumn<QByteArray>("next");
    // Newer firmware numbers its menu from 1, older firmware from 00.
    QTest::newRow("current") << int(xrsim::Scenario::Generation::Current)
                             << QByteArray("1 Ctrl REMOTE") << QByteArray("1 Ctrl LOCAL")
                             << QByteArray("2 Time LTC");
    QTest::newRow("older") << int(xrsim::Scenario::Generation::Dv) << QByteArray("00 Ctrl REMOTE")
                           << QByteArray("00 Ctrl LOCAL") << QByteArray("01 Time LTC");
}

void TestSimSetup::remoteLocalThroughTheMenu()
{
    QFETCH(int, generation);
    QFETCH(QByteArray, remote);
    QFETCH(QByteArray, local);
    QFETCH(QByteArray, next);
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation(generation);
    QVERIFY(start(scenario));
    QCOMPARE(ask("61 95 01"), panel(0xC0, remote));
    QCOMPARE(ask("61 95 02"), panel(0xC0, next));
    // Up wraps round the four entries back to the first.
    ask("61 95 02");
    ask("61 95 02");
    QCOMPARE(ask("61 95 02"), panel(0xC0, remote));
    QCOMPARE(ask("61 95 06"), panel(0xC0, local));
    QCOMPARE(statusByte(0) & 0x01, 1);
    QCOMPARE(ask("61 C0 00").at(3), char(0x01));
    QCOMPARE(ask("20 01"), kRefused);

    // Enter closes the menu: bit 7 of the flags is clear. Toggle readies a
    // change that Plus then makes.
    QCOMPARE(quint8(ask("61 95 90").at(2)), quint8(0x40));
    QCOMPARE(ask("61 95 01"), panel(0xC0, local));
    QCOMPARE(ask("61 95 0A"), panel(0xC0, local));
    QCOMPARE(ask("61 95 05"), panel(0xC0, remote));
    QCOMPARE(ask("20 01"), kAck);
}

void TestSimSetup::versionKey_data()
{
    QTest::addColumn<int>("generation");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("banner");
    QTest::newRow("current") << int(xrsim::Scenario::Generation::Current) << QByteArray("XR V4.6.4")
                             << QByteArray("V4.6.4");
    QTest::newRow("older") << int(xrsim::Scenario::Generation::Dv) << QByteArray("DV V3.2.1")
                           << QByteArray("V3.2.1");
    QTest::newRow("pellet") << int(xrsim::Scenario::Generation::Pellet)
                            << QByteArray("PELLET V1.4.5") << QByteArray("V1.4.5");
}

void TestSimSetup::versionKey()
{
    QFETCH(int, generation);
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, banner);
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation(generation);
    QVERIFY(start(scenario));
    QCOMPARE(ask("60 B1"),
             QByteArray(1, char(0x70 + version.size() + 1)) + char(0xB1) + version + '\0');
    QCOMPARE(ask("61 95 00"), panel(0x40, banner));
}

void TestSimSetup::optionsMenuChangesSetup()
{
    QVERIFY(start());
    QCOMPARE(ask("61 95 0B"), panel(0xC0, "1 Sync AUTO"));
    QCOMPARE(ask("61 95 05"), panel(0xC0, "1 Sync SYNC"));
    QCOMPARE(ask("61 95 03"), panel(0xC0, "3 Bars OFF"));
    QCOMPARE(ask("61 95 A0"), panel(0xC0, "3 Bars ON"));
    QCOMPARE(ask("61 C0 00").at(5), char(0x01));
    QCOMPARE(ask("61 C0 04").at(4), char(0xFF));
    QCOMPARE(ask("61 95 55"), kUnknown);
    QCOMPARE(ask("62 95 01 02"), kRefused);
}

void TestSimSetup::saveAndRecallSegments()
{
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("CLIP0007"), 60, 8}};
    scenario.loaded = QStringLiteral("CLIP0007");
    scenario.segments = {{1, "00:00:00:00", "00:00:01:00"}};
    QVERIFY(start(scenario));
    QCOMPARE(ask("61 95 07"), panel(0x40, "CLIP0007"));
    QCOMPARE(ask("25 31 00 04 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("40 10"), kAck);
    QCOMPARE(ask("25 31 00 06 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("40 11"), kAck);

    // Save proposes the first free number; digits type a number of their own.
    QCOMPARE(ask("61 95 08"), panel(0xC0, "Save seg 0002"));
    QCOMPARE(ask("61 95 8F"), panel(0xC0, "Save seg 0000"));
    QCOMPARE(ask("61 95 81"), panel(0xC0, "Save seg 0001"));
    QCOMPARE(ask("61 95 83"), panel(0xC0, "Save seg 0013"));
    QCOMPARE(ask("61 95 90"), panel(0x40, "Saved 0013"));
    QCOMPARE(ask("62 9A 00 13"), hex("7C 9A 00 00 00 C8 00 00 01 2C 00 00 00 00"));
    QCOMPARE(ask("62 9B 00 13"), hex("78 9B") + "CLIP0007");

    QCOMPARE(ask("61 95 09"), panel(0xC0, "Recall 0001"));
    QCOMPARE(ask("61 95 02"), panel(0xC0, "Recall 0013"));
    QCOMPARE(ask("61 95 02"), panel(0xC0, "Recall 0013"));
    QCOMPARE(ask("61 95 90"), panel(0x40, "Cued 0013"));
    recorder.AdvanceClock(1000);
    QCOMPARE(statusByte(2) & 0x01, 1);
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 04 00 00"));

    // Without marked points nothing is saved.
    QVERIFY(start());
    QCOMPARE(ask("61 95 08"), panel(0xC0, "Save seg 0001"));
    QCOMPARE(ask("61 95 90"), panel(0x40, "Not saved"));
    QCOMPARE(ask("61 95 09"), panel(0xC0, "No segments"));
    QCOMPARE(ask("61 95 90"), panel(0x40, "No segment"));
}

void TestSimSetup::disksNeedMaintenanceAndTime()
{
    xrsim::Scenario scenario;
    scenario.disks = {{1, 0, true, 1000}, {2, 3, false, 2000}};
    scenario.scanMs = 3000;
    scenario.inquiryMs = 2000;
    QVERIFY(start(scenario));
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 0D 00"));
    QCOMPARE(ask("32 22 FF FF"), kRefused);
    QCOMPARE(ask("31 21 01"), kAck);
    QCOMPARE(ask("32 22 FF FF"), kAck);
    recorder.AdvanceClock(2000);
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 0D 00"));
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 1D 00"));
    QCOMPARE(ask("62 C3 02 03"), hex("72 C3 FF 00"));
    QCOMPARE(ask("62 C3 01 01"), hex("72 C3 0D 00"));

    // The mode page is known once an inquiry has had its time.
    QCOMPARE(ask("32 24 01 00"), kAck);
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 1D 00"));
    recorder.AdvanceClock(2000);
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 1D 0F"));
    QCOMPARE(ask("33 25 01 00 1F"), kAck);
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 1D 1F"));
    for (const char *command : {"33 25 01 00 3F", "33 25 01 05 1F", "32 24 03 00", "62 C3 00 00",
                                "62 C3 01 10", "32 22 00 00"})
        QCOMPARE(ask(command), kRefused);

    // Ready disks only: in the storage figures and in the disk table.
    QCOMPARE(ask("61 BD 06").mid(7), hex("00 00 03 E8"));
    QCOMPARE(ask("61 A6 00"), hex("7C A6 00 00 03 E8 00 00 00 00 01 00 01 1F"));
    QCOMPARE(ask("61 A6 01"), hex("7C A6 00 00 00 00 00 00 00 00 00 00 00 00"));
    QCOMPARE(ask("61 A6 06"), kRefused);

    QCOMPARE(ask("31 21 00"), kAck);
    QCOMPARE(ask("32 22 FF FF"), kRefused);
    QCOMPARE(ask("33 25 01 00 0F"), kRefused);
}

void TestSimSetup::formatShowsOnThePanel()
{
    xrsim::Scenario scenario;
    scenario.disks = {{1, 0, true, 1000}, {2, 3, false, 2000}};
    scenario.formatMs = 12000;
    QVERIFY(start(scenario));
    QCOMPARE(ask("32 23 02 03"), kRefused);
    QCOMPARE(ask("31 21 01"), kAck);
    QCOMPARE(statusByte(0) & 0x20, 0);
    QCOMPARE(ask("32 23 02 03"), kAck);
    QCOMPARE(statusByte(0) & 0x20, 0x20);
    QCOMPARE(ask("61 95 07"), panel(0x40, "Format 00:00"));
    recorder.AdvanceClock(5000);
    QCOMPARE(ask("61 95 07"), panel(0x40, "Format 00:05"));
    QCOMPARE(ask("32 23 01 00"), kRefused);

    // Done: the display changed once more, until it is read.
    recorder.AdvanceClock(7000);
    QCOMPARE(statusByte(0) & 0x20, 0x20);
    QVERIFY(!ask("61 95 07").contains("Format"));
    QCOMPARE(statusByte(0) & 0x20, 0);
    QCOMPARE(ask("61 BD 06").mid(7), hex("00 00 0B B8"));
}

void TestSimSetup::formatThatNeverEnds()
{
    xrsim::Scenario scenario;
    QString error;
    QVERIFY(scenario.Set(QStringLiteral("format_endless"), QStringLiteral("on"), &error));
    QVERIFY(start(scenario));
    QCOMPARE(ask("31 21 01"), kAck);
    QCOMPARE(ask("32 23 01 00"), kAck);
    recorder.AdvanceClock(3600000);
    QCOMPARE(ask("61 95 07"), panel(0x40, "Format 60:00"));
}

void TestSimSetup::informationBlock_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("standard");
    QTest::addColumn<int>("compression");
    QTest::addColumn<QByteArray>("tag");
    QTest::newRow("default") << QString() << 0 << 5 << QByteArray("XRU ");
    QTest::newRow("zaxo") << "zaxo" << 0 << 13 << QByteArray("zaxo");
    QTest::newRow("MPEG") << "mpeg" << 1 << 11 << QByteArray("MPEG");
    QTest::newRow("HDTV") << "hdtv" << 2 << 3 << QByteArray("HDTV");
    QTest::newRow("C_HD") << "c_hd" << 36 << 7 << QByteArray("C_HD");
    QTest::newRow("marked tag") << "C8445456" << 0 << 0 << hex("C8 44 54 56");
}

void TestSimSetup::informationBlock()
{
    QFETCH(QString, kind);
    QFETCH(int, standard);
    QFETCH(int, compression);
    QFETCH(QByteArray, tag);
    xrsim::Scenario scenario;
    QString error;
    if (!kind.isEmpty())
        QVERIFY2(scenario.Set(kind.size() == 8 ? QStringLiteral("tag") : QStringLiteral("kind"),
                              kind, &error),
                 qPrintable(error));
    scenario.videoStandard = standard;
    scenario.compression = compression;
    QVERIFY(start(scenario));
    const QByteArray block = probe.requestBlock(1);
    QCOMPARE(block.size(), 522);
    QCOMPARE(block.left(10), hex("00 03 02 00 00 01 00 00 00 00"));
    QCOMPARE(block.mid(10, 4), tag);
    QCOMPARE(int(quint8(block.at(94))), standard);
    QCOMPARE(int(quint8(block.at(95))), compression);

    probe.sendRaw(UdpProbe::header(3, 0, 2));
    QVERIFY(probe.staysQuiet(100));
    QVERIFY(recorder.ReceivedFrames().isEmpty());
}

QTEST_GUILESS_MAIN(TestSimSetup)
#include "tst_simsetup.moc"
