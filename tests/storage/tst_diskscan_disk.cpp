// SPDX-License-Identifier: GPL-3.0-or-later
// A scan that finds one disk, on bus 2 ID 3: the walk pauses five seconds
// for its mode page, then goes on; only bus 2 becomes usable. Then the
// choice of the disk to format from the scanned table.

#include "diskfixture.h"

#include <QtTest>

class TestDiskScanDisk : public QObject
{
    Q_OBJECT

private slots:
    void scanFindsOneDisk();
};

void TestDiskScanDisk::scanFindsOneDisk()
{
    DiskFixture fixture("127.0.71.11");
    xrsim::Scenario scenario;
    scenario.disks = {{2, 3, false, 2000, 1}};
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));

    QTest::ignoreMessage(QtDebugMsg, "Expert_ReadModePage(2, 3)");
    fixture.actions->Scan();

    QList<QByteArray> expected{MaintenanceOn(), WireFrame({0x32, 0x22, 0xFF, 0xFF})};
    for (quint8 id = 0; id < 16; ++id)
        expected << ModeSense(1, id);
    for (quint8 id = 0; id <= 3; ++id)
        expected << ModeSense(2, id);
    expected << WireFrame({0x32, 0x24, 0x02, 0x03}) << ModeSense(2, 3);
    for (quint8 id = 4; id < 16; ++id)
        expected << ModeSense(2, id);
    expected << MaintenanceOff();
    QCOMPARE(fixture.Frames(), expected);
    const int inquiry = fixture.IndexesOf(0x32, 0x24).first();
    QVERIFY(fixture.StampOf(inquiry + 1) - fixture.StampOf(inquiry) >= 4900);

    BusTables &tables = fixture.Tables();
    QVERIFY(!tables.Table(1)->isEnabled());
    QVERIFY(tables.Table(2)->isEnabled());
    QCOMPARE(tables.Status(1, 15), BusTables::kNoDisk);
    QCOMPARE(tables.Status(2, 2), BusTables::kNoDisk);
    QCOMPARE(tables.Status(2, 3), BusTables::kNeedsFormatting);
    QCOMPARE(tables.Status(2, 4), BusTables::kNoDisk);
    // The disk runs in "Fast(a/v)" mode; that is now the applied mode.
    QCOMPARE(tables.ModeEntry(2, 3), int(BusTables::kFastMode));
    QCOMPARE(tables.AppliedMode(2, 3), int(BusTables::kFastMode));
    QCOMPARE(tables.AppliedMode(2, 4), int(BusTables::kNoMode));
    QVERIFY(fixture.answers.texts.isEmpty());

    // A "No disk" row clears the selection: Format then does nothing.
    fixture.recorder.ClearFrames();
    fixture.actions->PressRow(2, 3);
    fixture.actions->PressRow(2, 0);
    fixture.actions->Format();
    QVERIFY(fixture.Frames().isEmpty());
    QVERIFY(fixture.answers.texts.isEmpty());
    fixture.actions->PressRow(2, 3);
    QCOMPARE(tables.SelectedBus(), 2);
    QCOMPARE(tables.SelectedId(), 3);
}

QTEST_MAIN(TestDiskScanDisk)
#include "tst_diskscan_disk.moc"
