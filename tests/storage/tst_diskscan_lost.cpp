// SPDX-License-Identifier: GPL-3.0-or-later
// A scan on a recorder that stops answering: it ends, says so, and leaves
// what it could not read blank.

#include "diskfixture.h"

#include <QtTest>

class TestDiskScanLost : public QObject
{
    Q_OBJECT

private slots:
    void recorderLostDuringTheScan();
};

// The recorder goes away while it searches: the walk finds no answer, the
// command engine gives the recorder up, and the scan stops there.
void TestDiskScanLost::recorderLostDuringTheScan()
{
    DiskFixture fixture("127.0.71.31");
    xrsim::Scenario scenario;
    scenario.disks = {{1, 0, true, 1000}};
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));
    QTimer::singleShot(3000, [&fixture] { fixture.recorder.sim.DropReplies(1000); });
    fixture.actions->Scan();

    QCOMPARE(fixture.answers.texts.size(), 1);
    QVERIFY(fixture.answers.texts.first().contains(QStringLiteral("stopped answering")));
    QVERIFY(fixture.IndexesOf(0x62, 0xC3).size() < 32);
    BusTables &tables = fixture.Tables();
    for (int bus = 1; bus <= 2; ++bus) {
        QVERIFY(!tables.Table(bus)->isEnabled());
        for (int id = 0; id < 16; ++id) {
            QCOMPARE(tables.Status(bus, id), QString());
            QCOMPARE(tables.ModeEntry(bus, id), int(BusTables::kNoMode));
        }
    }
}

QTEST_MAIN(TestDiskScanLost)
#include "tst_diskscan_lost.moc"
