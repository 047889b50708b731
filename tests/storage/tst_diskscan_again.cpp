// SPDX-License-Identifier: GPL-3.0-or-later
// A scan over tables that an earlier scan filled: a disk gone since then is
// no longer selected for formatting, and a disk whose mode the recorder does
// not report shows it as unknown, which an apply never takes for a mode.

#include "diskfixture.h"

#include <QComboBox>
#include <QtTest>

class TestDiskScanAgain : public QObject
{
    Q_OBJECT

private slots:
    void scanReplacesWhatWasShown();
};

void TestDiskScanAgain::scanReplacesWhatWasShown()
{
    DiskFixture fixture("127.0.71.81");
    xrsim::Scenario scenario;
    scenario.disks = {{1, 2, true, 2000, 1}};
    // The mode page is still being read when the scan asks for it.
    scenario.inquiryMs = 600000;
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));
    BusTables &tables = fixture.Tables();
    tables.SetStatus(1, 2, BusTables::kDiskReady);
    tables.SetModeEntry(1, 2, BusTables::kMcsMode);
    tables.SetStatus(1, 7, BusTables::kNeedsFormatting);
    tables.SetModeEntry(1, 7, BusTables::kDefaultMode);
    tables.KeepScannedState();
    fixture.actions->PressRow(1, 7);
    QVERIFY(tables.HasSelection());

    QTest::ignoreMessage(QtDebugMsg, "Expert_ReadModePage(1, 2)");
    fixture.actions->Scan();
    QCOMPARE(tables.Status(1, 7), BusTables::kNoDisk);
    QVERIFY(!tables.HasSelection());
    QCOMPARE(tables.Status(1, 2), BusTables::kDiskReady);
    QCOMPARE(tables.ModeEntry(1, 2), int(BusTables::kUnknownMode));
    QCOMPARE(tables.AppliedMode(1, 2), int(BusTables::kUnknownMode));
    auto *mode = qobject_cast<QComboBox *>(tables.Table(1)->cellWidget(2, 1));
    QCOMPARE(mode->currentText(), QString());
    QCOMPARE(mode->placeholderText(), QStringLiteral("Unknown"));

    fixture.recorder.ClearFrames();
    fixture.actions->Format();
    QVERIFY(fixture.answers.texts.isEmpty());
    fixture.actions->Apply();
    QCOMPARE(fixture.Frames(), (QList<QByteArray>{MaintenanceOn(), MaintenanceOff()}));
}

QTEST_MAIN(TestDiskScanAgain)
#include "tst_diskscan_again.moc"
