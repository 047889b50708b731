// SPDX-License-Identifier: GPL-3.0-or-later
// A scan on a recorder that refuses some disk senses: it ends, names the
// IDs it got no status for, and leaves the tables consistent.

#include "diskfixture.h"

#include <QtTest>

class TestDiskScanRefused : public QObject
{
    Q_OBJECT

private slots:
    void refusedSensesAreNamed();
};

// The recorder refuses the sense of ID 0 in the walk and the mode page read of
// the disk on ID 1: ID 0 shows "No disk", the disk keeps what the walk saw.
void TestDiskScanRefused::refusedSensesAreNamed()
{
    DiskFixture fixture("127.0.71.21");
    xrsim::Scenario scenario;
    scenario.disks = {{1, 1, true, 1000, 2}};
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));
    fixture.recorder.sim.ForceReply(0x6, 0xC3, NakFrame(), 1);
    fixture.answers.WhileOpen([&fixture](QWidget *) {
        if (fixture.IndexesOf(0x32, 0x24).isEmpty())
            return false;
        fixture.recorder.sim.ForceReply(0x6, 0xC3, NakFrame(), 1);
        return true;
    });
    QTest::ignoreMessage(QtDebugMsg, "Expert_ReadModePage(1, 1)");
    fixture.actions->Scan();

    BusTables &tables = fixture.Tables();
    QCOMPARE(tables.Status(1, 0), BusTables::kNoDisk);
    QCOMPARE(tables.Status(1, 1), BusTables::kDiskReady);
    QCOMPARE(tables.ModeEntry(1, 1), int(BusTables::kUnknownMode));
    QCOMPARE(tables.Status(2, 15), BusTables::kNoDisk);
    QVERIFY(tables.Table(1)->isEnabled());
    QVERIFY(!tables.Table(2)->isEnabled());
    QCOMPARE(fixture.answers.texts.size(), 1);
    QVERIFY(fixture.answers.texts.first().contains(QStringLiteral("Bus 1 ID 0, Bus 1 ID 1.")));
    QCOMPARE(fixture.Frames().last(), MaintenanceOff());
}

QTEST_MAIN(TestDiskScanRefused)
#include "tst_diskscan_refused.moc"
