// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's disks as a scenario sets them: their state and
// performance mode through a scan and the mode page reads, and the mode a
// controller applies.

#include "simrecorder.h"
#include "udpprobe.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.72.1"));

QByteArray hex(const char *text)
{
    return UdpProbe::hex(text);
}

} // namespace

class TestSimDisks : public QObject
{
    Q_OBJECT

private slots:
    void diskKeyTakesAMode_data();
    void diskKeyTakesAMode();
    void modesAsTheScenarioSetsThem();
};

void TestSimDisks::diskKeyTakesAMode_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("mode");
    QTest::newRow("no mode") << "1,0,ready,100" << true << 0;
    QTest::newRow("mode 2") << "2,3,unformatted,500,2" << true << 2;
    QTest::newRow("mode 3") << "1,0,ready,100,3" << false << 0;
    QTest::newRow("not a mode") << "1,0,ready,100,fast" << false << 0;
    QTest::newRow("six fields") << "1,0,ready,100,1,1" << false << 0;
}

void TestSimDisks::diskKeyTakesAMode()
{
    QFETCH(QString, value);
    QFETCH(bool, accepted);
    QFETCH(int, mode);
    xrsim::Scenario scenario;
    QString error;
    QCOMPARE(scenario.Set(QStringLiteral("disk"), value, &error), accepted);
    if (accepted)
        QCOMPARE(scenario.disks.last().mode, mode);
}

void TestSimDisks::modesAsTheScenarioSetsThem()
{
    xrsim::SimRecorder recorder;
    xrsim::SimConfig config;
    config.address = kRecorder;
    config.scenario.disks = {{1, 0, true, 1000, 0}, {2, 3, false, 2000, 1}, {2, 15, true, 10, 2}};
    QVERIFY2(recorder.Start(config), qPrintable(recorder.ErrorString()));
    UdpProbe probe(kRecorder);
    auto ask = [&probe](const char *frame) { return probe.ask(frame); };

    QCOMPARE(ask("31 21 01"), hex("10 01"));
    QCOMPARE(ask("32 22 FF FF"), hex("10 01"));
    recorder.AdvanceClock(3000);
    for (const char *inquiry : {"32 24 01 00", "32 24 02 03", "32 24 02 0F"})
        QCOMPARE(ask(inquiry), hex("10 01"));
    // The mode page byte is known once the inquiry has had its time.
    QCOMPARE(ask("62 C3 02 03"), hex("72 C3 FF 00"));
    recorder.AdvanceClock(2000);
    QCOMPARE(ask("62 C3 01 00"), hex("72 C3 1D 0F"));
    QCOMPARE(ask("62 C3 02 03"), hex("72 C3 FF 1F"));
    QCOMPARE(ask("62 C3 02 0F"), hex("72 C3 1D 2F"));
    QCOMPARE(ask("62 C3 02 04"), hex("72 C3 0D 00"));

    QCOMPARE(ask("33 25 02 0F 1F"), hex("10 01"));
    QCOMPARE(ask("62 C3 02 0F"), hex("72 C3 1D 1F"));
    // The disk table lists the ready disks with their modes.
    QCOMPARE(ask("61 A6 01"), hex("7C A6 00 00 00 0A 00 00 00 00 02 0F 01 1F"));
}

QTEST_MAIN(TestSimDisks)
#include "tst_simdisks.moc"
