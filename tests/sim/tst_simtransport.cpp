// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's transport: time and position by video standard,
// cue-ups, status bits, speeds, levels and remote/local control, checked
// through frames written by hand.

#include "simfixture.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.31.11"));

// The time of a time reply (74 xx, four bytes, frames first) as text, with
// the field and drop-frame marks taken off.
QString timeText(const QByteArray &reply)
{
    if (reply.size() != 6)
        return QStringLiteral("no time: ") + QString::fromLatin1(reply.toHex(' '));
    const auto at = [&reply](int i) { return quint8(reply.at(2 + i)); };
    return QString::asprintf("%02x:%02x:%02x:%02x", at(3) & 0x7F, at(2), at(1) & 0x7F,
                             at(0) & 0x3F);
}

// Frames from 00:00:00:00 to a time text, counted without drop frame.
int framesOf(const QString &text, int fps)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    return ((parts.at(0).toInt() * 60 + parts.at(1).toInt()) * 60 + parts.at(2).toInt()) * fps +
           parts.at(3).toInt();
}

// Time passes for real between commands: a reading may run a frame or two
// past the time the clock was moved to.
bool closeTo(const QString &read, const QString &expected, int fps)
{
    const int late = framesOf(read, fps) - framesOf(expected, fps);
    return late >= 0 && late <= 2;
}

} // namespace

class TestSimTransport : public QObject, public SimFixture
{
    Q_OBJECT

public:
    TestSimTransport() : SimFixture(kRecorder) {}

private slots:
    void cleanup();

    void positionAdvancesAtTheStandardsRate_data();
    void positionAdvancesAtTheStandardsRate();
    void dropFrameSkipsFrameNumbers_data();
    void dropFrameSkipsFrameNumbers();
    void fieldMarkFollowsTheSystem_data();
    void fieldMarkFollowsTheSystem();
    void cueUpCompletesAfterItsTime();
    void cueUpRefusesTimesThatDoNotExist();
    void timerModeAndTimecodePreset();

    void statusFollowsTheTransport_data();
    void statusFollowsTheTransport();
    void speedsMoveThePosition_data();
    void speedsMoveThePosition();
    void rewindStopsAtTheStart();
    void localControlRefusesTransport();
    void audioLevelsMoveWhilePlaying();
    void scenarioMayStartPlaying();
    void materialEndStopsOrLoops_data();
    void materialEndStopsOrLoops();
};

void TestSimTransport::cleanup()
{
    recorder.Stop();
}

void TestSimTransport::positionAdvancesAtTheStandardsRate_data()
{
    QTest::addColumn<int>("standard");
    QTest::addColumn<int>("fps");
    QTest::addColumn<QString>("timecode");
    QTest::addColumn<QString>("timer");
    // Ten minutes of play. At 29.97 Hz drop-frame timecode keeps to the
    // clock while the timer, which never drops, falls 18 frames behind.
    QTest::newRow("PAL") << 0 << 25 << "00:10:00:00"
                         << "00:10:00:00";
    QTest::newRow("NTSC") << 1 << 30 << "00:10:00:00"
                          << "00:09:59:12";
    QTest::newRow("1080 25p") << 4 << 25 << "00:10:00:00"
                              << "00:10:00:00";
    QTest::newRow("1080 24p") << 7 << 24 << "00:10:00:00"
                              << "00:10:00:00";
    QTest::newRow("1080 23.98p") << 6 << 24 << "00:09:59:09"
                                 << "00:09:59:09";
    QTest::newRow("720 59.94p") << 8 << 30 << "00:10:00:00"
                                << "00:09:59:12";
}

void TestSimTransport::positionAdvancesAtTheStandardsRate()
{
    QFETCH(int, standard);
    QFETCH(int, fps);
    QFETCH(QString, timecode);
    QFETCH(QString, timer);
    xrsim::Scenario scenario;
    scenario.videoStandard = standard;
    QVERIFY(start(scenario));
    QCOMPARE(ask("20 01"), kAck);
    recorder.AdvanceClock(600000);
    const QString readTimecode = timeText(ask("61 0C 03"));
    const QString readTimer = timeText(ask("61 0C 04"));
    QVERIFY2(closeTo(readTimecode, timecode, fps), qPrintable(readTimecode));
    QVERIFY2(closeTo(readTimer, timer, fps), qPrintable(readTimer));
}

void TestSimTransport::dropFrameSkipsFrameNumbers_data()
{
    QTest::addColumn<bool>("dropFrame");
    QTest::addColumn<QByteArray>("preset");
    QTest::addColumn<QString>("twoFramesOn");
    QTest::addColumn<int>("dropMark");
    // Drop frame skips frame numbers 00 and 01 at each minute but every tenth.
    QTest::newRow("drop frame, minute 1")
        << true << QByteArray("44 78 28 59 00 00") << "00:01:00:02" << 0x40;
    QTest::newRow("drop frame, minute 10")
        << true << QByteArray("44 78 28 59 09 00") << "00:10:00:00" << 0x40;
    QTest::newRow("non drop") << false << QByteArray("44 78 28 59 00 00") << "00:01:00:00" << 0x00;
}

void TestSimTransport::dropFrameSkipsFrameNumbers()
{
    QFETCH(bool, dropFrame);
    QFETCH(QByteArray, preset);
    QFETCH(QString, twoFramesOn);
    QFETCH(int, dropMark);
    xrsim::Scenario scenario;
    scenario.videoStandard = 1;
    scenario.dropFrame = dropFrame;
    QVERIFY(start(scenario));
    QCOMPARE(ask(preset.constData()), kAck);
    QCOMPARE(ask("20 01"), kAck);
    recorder.AdvanceClock(67);
    const QByteArray reply = ask("61 0C 03");
    const QString read = timeText(reply);
    QVERIFY2(closeTo(read, twoFramesOn, 30), qPrintable(read));
    QCOMPARE(quint8(reply.at(2)) & 0x40, dropMark);
}

void TestSimTransport::fieldMarkFollowsTheSystem_data()
{
    QTest::addColumn<int>("standard");
    QTest::addColumn<QByteArray>("cue");
    QTest::addColumn<QByteArray>("time");
    // The second field is marked in the hours byte on a 50 Hz recorder and
    // in the seconds byte otherwise; progressive pictures have no field.
    QTest::newRow("PAL") << 0 << QByteArray("25 31 00 01 00 80 00") << hex("74 04 00 01 00 80");
    QTest::newRow("NTSC") << 1 << QByteArray("25 31 00 81 00 00 00") << hex("74 04 40 81 00 00");
    QTest::newRow("1080 25p") << 4 << QByteArray("25 31 00 01 00 80 00")
                              << hex("74 04 00 01 00 00");
    QTest::newRow("720 50p") << 21 << QByteArray("25 31 00 01 00 80 00")
                             << hex("74 04 00 01 00 80");
    QTest::newRow("1080 24p") << 7 << QByteArray("25 31 00 81 00 00 00")
                              << hex("74 04 00 01 00 00");
}

void TestSimTransport::fieldMarkFollowsTheSystem()
{
    QFETCH(int, standard);
    QFETCH(QByteArray, cue);
    QFETCH(QByteArray, time);
    xrsim::Scenario scenario;
    scenario.videoStandard = standard;
    QVERIFY(start(scenario));
    QCOMPARE(ask(cue.constData()), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("61 0C 03"), time);
}

void TestSimTransport::cueUpCompletesAfterItsTime()
{
    xrsim::Scenario scenario;
    scenario.cueMs = 400;
    QVERIFY(start(scenario));
    QCOMPARE(ask("25 31 00 10 00 00 00"), kAck);
    QCOMPARE(quint8(ask("61 20 0A").at(4)) & 0x01, 0);
    recorder.AdvanceClock(450);
    const QByteArray status = ask("61 20 0A");
    QCOMPARE(quint8(status.at(4)), quint8(0x03)); // cue-up complete, still
    QCOMPARE(timeText(ask("61 0C 03")), QStringLiteral("00:00:10:00"));

    // The next motion takes the flag away again.
    QCOMPARE(ask("20 01"), kAck);
    QCOMPARE(quint8(ask("61 20 0A").at(4)) & 0x01, 0);

    // A cue to a position counts fields on an interlaced recorder: 750 is
    // 15 seconds of PAL.
    QCOMPARE(ask("24 9D 00 00 02 EE"), kAck);
    recorder.AdvanceClock(450);
    QCOMPARE(quint8(ask("61 20 0A").at(4)) & 0x01, 1);
    QCOMPARE(timeText(ask("61 0C 04")), QStringLiteral("00:00:15:00"));
}

void TestSimTransport::cueUpRefusesTimesThatDoNotExist()
{
    QVERIFY(start());
    QCOMPARE(ask("25 31 00 61 00 00 00"), kRefused);
    QCOMPARE(ask("25 31 25 00 00 00 00"), kRefused); // frame 25 at 25 fps
    QCOMPARE(ask("25 31 0A 00 00 00 00"), kRefused); // not BCD
    QCOMPARE(ask("23 31 00 00 00"), kRefused);
    QCOMPARE(ask("24 31 24 59 59 23"), kAck); // four bytes will do
}

void TestSimTransport::timerModeAndTimecodePreset()
{
    QVERIFY(start());
    QCOMPARE(ask("60 36"), hex("71 36 00"));
    QCOMPARE(ask("44 78 00 00 00 10"), kAck);
    QCOMPARE(ask("61 0C 03"), hex("74 04 00 00 00 10"));
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 00 00 00"));

    // Showing the timer, cue-ups address the timer, not the timecode.
    QCOMPARE(ask("41 36 01"), kAck);
    QCOMPARE(ask("60 36"), hex("71 36 01"));
    QCOMPARE(ask("25 31 00 05 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 05 00 00"));
    QCOMPARE(ask("61 0C 03"), hex("74 04 00 05 00 10"));

    QCOMPARE(ask("41 36 04"), kRefused);
    QCOMPARE(ask("61 0C 10"), kRefused);
}

void TestSimTransport::statusFollowsTheTransport_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");
    const auto row = [](const char *name, QStringList commands, int byte, int value) {
        QTest::newRow(name) << commands << byte << value;
    };
    row("play", {"20 01"}, 1, 0x01);
    row("record plays too", {"20 02"}, 1, 0x03);
    row("fast forward", {"20 10"}, 1, 0x04);
    row("rewind", {"20 20"}, 1, 0x08);
    row("stop", {"20 00"}, 1, 0x20);
    row("still after a cue", {}, 2, 0x03);
    row("shuttle forward", {"21 13 40"}, 2, 0x20);
    row("shuttle at rest", {"21 13 00"}, 2, 0x20);
    row("shuttle reverse", {"21 23 40"}, 2, 0x24);
    row("variable speed", {"22 13 40 00"}, 2, 0x28);
    row("jog by frame steps", {"20 24"}, 2, 0x30);
    row("plain play", {"20 01"}, 0, 0x10);
    row("option play", {"20 37"}, 0, 0x00);
    row("edit on", {"20 65"}, 4, 0x80);
    row("full E-E", {"20 61"}, 4, 0x40);
    row("select E-E", {"20 63"}, 4, 0x20);
    row("E-E off", {"20 61", "20 60"}, 4, 0x00);
    row("edit on while playing records", {"20 01", "20 65"}, 1, 0x03);
    row("edit off plays on", {"20 01", "20 65", "20 64"}, 1, 0x01);
    row("LTC at start", {}, 6, 0x04);
    row("LTC off", {"20 90"}, 6, 0x00);
    row("LTC on again", {"20 90", "20 91"}, 6, 0x04);
    row("nothing to signal", {}, 9, 0x00);
}

void TestSimTransport::statusFollowsTheTransport()
{
    QFETCH(QStringList, commands);
    QFETCH(int, byte);
    QFETCH(int, value);
    QVERIFY(start());
    QCOMPARE(ask("25 31 00 00 01 00 00"), kAck);
    recorder.AdvanceClock(1000);
    for (const QString &command : commands)
        QCOMPARE(ask(command.toLatin1().constData()), kAck);
    const QByteArray status = ask("61 20 0A");
    QCOMPARE(status.left(2), hex("7A 20"));
    QCOMPARE(int(quint8(status.at(2 + byte))), value);
}

void TestSimTransport::speedsMoveThePosition_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("timer");
    // Speed byte N runs at 10^(N/32 - 2) times play speed; two bytes add a
    // fraction to N.
    QTest::newRow("shuttle at play speed") << QByteArray("21 13 40") << 1000 << "00:00:01:00";
    QTest::newRow("shuttle ten times") << QByteArray("21 13 60") << 1000 << "00:00:10:00";
    QTest::newRow("shuttle a tenth") << QByteArray("21 13 20") << 10000 << "00:00:01:00";
    QTest::newRow("shuttle still") << QByteArray("21 13 00") << 10000 << "00:00:00:00";
    QTest::newRow("variable at play speed") << QByteArray("22 13 40 00") << 1000 << "00:00:01:00";
    QTest::newRow("variable at three quarters")
        << QByteArray("22 13 3C 00") << 4000 << "00:00:02:24";
    QTest::newRow("fast forward") << QByteArray("20 10") << 1000 << "00:00:20:00";
    QTest::newRow("frame step") << QByteArray("20 14") << 1000 << "00:00:00:01";
}

void TestSimTransport::speedsMoveThePosition()
{
    QFETCH(QByteArray, command);
    QFETCH(int, ms);
    QFETCH(QString, timer);
    QVERIFY(start());
    QCOMPARE(ask(command.constData()), kAck);
    recorder.AdvanceClock(ms);
    const QString read = timeText(ask("61 0C 04"));
    QVERIFY2(closeTo(read, timer, 25), qPrintable(read));
}

void TestSimTransport::rewindStopsAtTheStart()
{
    QVERIFY(start());
    QCOMPARE(ask("25 31 00 02 00 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("20 20"), kAck);
    recorder.AdvanceClock(1000);
    const QByteArray status = ask("61 20 0A");
    QCOMPARE(quint8(status.at(3)), quint8(0x00));
    QCOMPARE(quint8(status.at(4)), quint8(0x02));
    QCOMPARE(ask("61 0C 04"), hex("74 00 00 00 00 00"));
}

void TestSimTransport::localControlRefusesTransport()
{
    xrsim::Scenario scenario;
    scenario.local = true;
    QVERIFY(start(scenario));
    for (const char *command : {"20 01", "20 02", "21 13 40", "25 31 00 01 00 00 00", "20 90"})
        QCOMPARE(ask(command), kRefused);
    const QByteArray status = ask("61 20 0A");
    QCOMPARE(quint8(status.at(2)) & 0x01, 1);
    QCOMPARE(quint8(status.at(3)), quint8(0x20));
    QCOMPARE(ask("61 0C 03"), hex("74 04 00 00 00 00"));
}

void TestSimTransport::audioLevelsMoveWhilePlaying()
{
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("STEREO"), 60, 2}};
    QVERIFY(start(scenario));
    QCOMPARE(ask("60 AC"), hex("74 AC 00 00 00 00"));
    QCOMPARE(ask("20 01"), kAck);
    const QByteArray first = ask("60 AC");
    QCOMPARE(first.left(2), hex("74 AC"));
    for (int nibble = 0; nibble < 8; ++nibble) {
        const int level = (quint8(first.at(2 + nibble / 2)) >> (nibble % 2 ? 0 : 4)) & 0x0F;
        QVERIFY2(level >= 2 && level <= 14, qPrintable(first.toHex(' ')));
    }
    recorder.AdvanceClock(300);
    QVERIFY(ask("60 AC") != first);

    // A file with two audio tracks sounds on the first two meters only.
    QCOMPARE(ask("48 14 53 54 45 52 45 4F 00 00"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask("20 01"), kAck);
    const QByteArray stereo = ask("60 AC");
    QVERIFY(quint8(stereo.at(2)) != 0);
    QCOMPARE(stereo.mid(3), hex("00 00 00"));
}

// A recorder told to start playing is already rolling when first asked.
void TestSimTransport::scenarioMayStartPlaying()
{
    xrsim::Scenario scenario;
    scenario.playing = true;
    QVERIFY(start(scenario));
    const QByteArray status = ask("61 20 0A");
    QVERIFY2(status.size() > 3 && (quint8(status.at(3)) & 0x01), status.toHex(' ').constData());
    recorder.AdvanceClock(60000);
    const QString read = timeText(ask("61 0C 03"));
    QVERIFY2(closeTo(read, QStringLiteral("00:01:00:00"), 25), qPrintable(read));
}

void TestSimTransport::materialEndStopsOrLoops_data()
{
    QTest::addColumn<bool>("loop");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QString>("timer");
    QTest::addColumn<bool>("moving");

    QTest::newRow("play stops at the end")
        << false << QByteArray("20 01") << "00:00:09:24" << false;
    // 25 s of a 10 s file: twice round, then 5 s into the third pass.
    QTest::newRow("play in loop mode goes round")
        << true << QByteArray("20 01") << "00:00:05:00" << true;
    QTest::newRow("winding stops even in loop mode")
        << true << QByteArray("20 10") << "00:00:09:24" << false;
}

// Loop mode keeps a demonstration recorder playing for as long as it runs.
void TestSimTransport::materialEndStopsOrLoops()
{
    QFETCH(bool, loop);
    QFETCH(QByteArray, command);
    QFETCH(QString, timer);
    QFETCH(bool, moving);
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("CLIP"), 10, 8}};
    scenario.loaded = QStringLiteral("CLIP");
    scenario.loop = loop;
    QVERIFY(start(scenario));
    QCOMPARE(ask(command.constData()), kAck);
    recorder.AdvanceClock(25000);
    const QString read = timeText(ask("61 0C 04"));
    QVERIFY2(read == timer || (moving && closeTo(read, timer, 25)), qPrintable(read));
    recorder.AdvanceClock(1000);
    QCOMPARE(timeText(ask("61 0C 04")) != read, moving);
}

QTEST_GUILESS_MAIN(TestSimTransport)
#include "tst_simtransport.moc"
