// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated recorder's presets and modes change in its status,
// time and level replies: the edit preset, the time source (LTC, VITC,
// timer as LTC), E-E, and the top speed of the shuttle.

#include "simfixture.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.30.11"));

} // namespace

class TestSimEditModes : public QObject, public SimFixture
{
    Q_OBJECT

public:
    TestSimEditModes() : SimFixture(kRecorder) {}

private slots:
    void cleanup();

    void editPresetIsReportedUntilReset();
    void timeReplyNamesItsSource_data();
    void timeReplyNamesItsSource();
    void eeMetersShowTheInput();
    void shuttleNoFasterThanTheWind();
};

void TestSimEditModes::cleanup()
{
    recorder.Stop();
}

// The delayed playback arms the preset 0x17 and records; leaving the edit
// modes sends the preset 0, edit off and E-E off as the status asks.
void TestSimEditModes::editPresetIsReportedUntilReset()
{
    QVERIFY(start());
    QCOMPARE(statusByte(7), quint8(0x00));
    QCOMPARE(ask("41 30 17"), kAck);
    QCOMPARE(statusByte(7), quint8(0x17));
    QCOMPARE(ask("20 02"), kAck);
    QCOMPARE(statusByte(1), quint8(0x03));
    QCOMPARE(ask("20 65"), kAck);
    QCOMPARE(ask("20 61"), kAck);
    QCOMPARE(statusByte(4), quint8(0xC0));

    QCOMPARE(ask("41 30 00"), kAck);
    QCOMPARE(ask("20 64"), kAck);
    QCOMPARE(ask("20 60"), kAck);
    QCOMPARE(statusByte(7), quint8(0x00));
    QCOMPARE(statusByte(4), quint8(0x00));
    QCOMPARE(statusByte(1), quint8(0x01));
    QCOMPARE(ask("42 30 17 00"), hex("11 12 08"));
}

void TestSimEditModes::timeReplyNamesItsSource_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("reply");
    // Timecode preset to 10:00:00:00, then two seconds of play: the timer
    // reads 2 s, the timecode 10:00:02.
    const auto row = [](const char *name, QStringList commands, const char *request,
                        const char *reply) {
        QTest::newRow(name) << commands << QByteArray(request) << hex(reply);
    };
    row("LTC", {}, "61 0C 03", "74 04 00 02 00 10");
    row("LTC off: VITC", {"20 90"}, "61 0C 03", "74 06 00 02 00 10");
    row("LTC on again", {"20 90", "20 91"}, "61 0C 03", "74 04 00 02 00 10");
    row("VITC time mode", {"41 36 02"}, "61 0C 03", "74 06 00 02 00 10");
    row("timer as LTC", {"41 36 03"}, "61 0C 03", "74 04 00 02 00 00");
    row("timer as LTC, LTC off", {"41 36 03", "20 90"}, "61 0C 03", "74 06 00 02 00 10");
    row("timer", {"41 36 01"}, "61 0C 04", "74 00 00 02 00 00");
}

void TestSimEditModes::timeReplyNamesItsSource()
{
    QFETCH(QStringList, commands);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QVERIFY(start());
    QCOMPARE(ask("44 78 00 00 00 10"), kAck);
    for (const QString &command : commands)
        QCOMPARE(ask(command.toLatin1().constData()), kAck);
    QCOMPARE(ask("24 9D 00 00 00 64"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(ask(request.constData()), reply);
}

void TestSimEditModes::eeMetersShowTheInput()
{
    QVERIFY(start());
    const QByteArray silent = hex("74 AC 00 00 00 00");
    QCOMPARE(ask("60 AC"), silent);
    for (const char *ee : {"20 61", "20 63"}) {
        QCOMPARE(ask(ee), kAck);
        const QByteArray levels = ask("60 AC");
        QCOMPARE(levels.left(2), hex("74 AC"));
        QVERIFY2(levels != silent && !levels.contains('\0'), levels.toHex(' ').constData());
        QCOMPARE(ask("20 60"), kAck);
        QCOMPARE(ask("60 AC"), silent);
    }
}

// A speed byte beyond fast forward's speed runs at fast forward's speed,
// forwards and backwards, in shuttle and in variable speed.
void TestSimEditModes::shuttleNoFasterThanTheWind()
{
    xrsim::Scenario scenario;
    scenario.windSpeed = 20;
    QVERIFY(start(scenario));
    // Whole seconds of the timer (real time runs on a few frames meanwhile).
    const auto seconds = [this] {
        const QByteArray time = ask("61 0C 04");
        return time.size() == 6 ? (quint8(time.at(3)) >> 4) * 10 + (time.at(3) & 0x0F) : -1;
    };
    QCOMPARE(ask("21 13 FF"), kAck);
    recorder.AdvanceClock(1000);
    QCOMPARE(seconds(), 20);
    QCOMPARE(statusByte(2), quint8(0x20));
    QCOMPARE(ask("22 23 FF FF"), kAck);
    recorder.AdvanceClock(500);
    const int back = seconds();
    QVERIFY2(back == 9 || back == 10, qPrintable(QString::number(back)));
    QCOMPARE(statusByte(2), quint8(0x2C));
}

QTEST_GUILESS_MAIN(TestSimEditModes)
#include "tst_simeditmodes.moc"
