// SPDX-License-Identifier: GPL-3.0-or-later
// Formats on a recorder that answers badly: one that goes away, one that
// refuses to show its display; and a watch the operator cancels. The dialog
// ends and says so; it never waits for ever.

#include "diskfixture.h"

#include "ui/storage/waitdlg.h"

#include "protocol/diskcommands.h"

#include <QPushButton>
#include <QtTest>

namespace {

// The recorder's disks answer once it has scanned them.
void ScanOnTheRecorder(DiskFixture &fixture)
{
    DiskCommand(1);
    DiskScanAll();
    fixture.recorder.sim.AdvanceClock(60000);
    DiskCommand(0);
    fixture.recorder.ClearFrames();
}

// The watch has begun once the label counts the time.
WaitDlg *Watching(QWidget *modal)
{
    auto *dialog = qobject_cast<WaitDlg *>(modal);
    if (!dialog || !dialog->textLabel->text().startsWith(QStringLiteral("Formatting HD...")))
        return nullptr;
    return dialog;
}

} // namespace

class TestDiskFormatFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void recorderLostDuringTheFormat();
    void displayRefused();
    void cancelLeavesTheOutcomeUnknown();

private:
    DiskFixture fixture{"127.0.71.51"};
};

void TestDiskFormatFaults::initTestCase()
{
    xrsim::Scenario scenario;
    scenario.disks = {{1, 4, false, 2000}};
    scenario.formatMs = 600000;
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));
    fixture.Tables().SetStatus(1, 4, BusTables::kNeedsFormatting);
    fixture.actions->PressRow(1, 4);
}

void TestDiskFormatFaults::init()
{
    fixture.recorder.Reset();
    fixture.answers.texts.clear();
    fixture.answers.Press(QStringLiteral("&Yes"));
}

void TestDiskFormatFaults::recorderLostDuringTheFormat()
{
    fixture.answers.WhileOpen([this](QWidget *modal) {
        auto *dialog = qobject_cast<WaitDlg *>(modal);
        if (!dialog || !dialog->textLabel->text().startsWith(QStringLiteral("Formatting HD...")))
            return false;
        fixture.recorder.sim.DropReplies(1000);
        return true;
    });
    fixture.actions->Format();
    QCOMPARE(fixture.answers.texts.size(), 2);
    QVERIFY(fixture.answers.texts.last().startsWith(
        QStringLiteral("The recorder stopped answering while formatting HD 4 on Bus 1.")));
}

// Every display read refused: after 5 s of refusals the watch gives up rather
// than take the missing word for the end of the format.
void TestDiskFormatFaults::displayRefused()
{
    fixture.recorder.sim.ForceReply(0x6, 0x95, NakFrame(), -1);
    fixture.actions->Format();
    QCOMPARE(fixture.answers.texts.size(), 2);
    QVERIFY(
        fixture.answers.texts.last().startsWith(QStringLiteral("The recorder stopped answering")));
    QCOMPARE(fixture.IndexesOf(0x61, 0x95).size(), 25);
    QCOMPARE(fixture.Frames().last(), MaintenanceOff());
}

// Escape does not close the watch; Cancel does. The recorder's disk
// maintenance then ends, the disk is asked for its state again, and the
// operator is told the format's outcome is unknown.
void TestDiskFormatFaults::cancelLeavesTheOutcomeUnknown()
{
    ScanOnTheRecorder(fixture);
    fixture.Tables().SetModeEntry(1, 4, BusTables::kFastMode);
    fixture.Tables().KeepScannedState();
    bool escaped = false;
    bool stayedOpen = false;
    fixture.answers.WhileOpen([&](QWidget *modal) {
        WaitDlg *dialog = Watching(modal);
        if (!dialog)
            return false;
        if (!escaped) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            escaped = true;
            return false;
        }
        stayedOpen = dialog->isVisible() && !dialog->pbCancel->isHidden();
        dialog->pbCancel->click();
        return true;
    });
    fixture.actions->Format();
    QVERIFY(stayedOpen);
    QCOMPARE(fixture.answers.texts.size(), 2);
    const QString told = fixture.answers.texts.last();
    QVERIFY2(told.startsWith(QStringLiteral(
                 "The watch of the format of HD 4 on Bus 1 was cancelled after 00:00:0")),
             qPrintable(told));
    QVERIFY(told.contains(QStringLiteral("The outcome of the format is unknown")));
    const QList<QByteArray> frames = fixture.Frames();
    QCOMPARE(frames.mid(frames.size() - 2), (QList<QByteArray>{MaintenanceOff(), ModeSense(1, 4)}));
    // The recorder reports the disk unformatted, its mode not known.
    QCOMPARE(fixture.Tables().Status(1, 4), BusTables::kNeedsFormatting);
    QCOMPARE(fixture.Tables().ModeEntry(1, 4), int(BusTables::kUnknownMode));
    QCOMPARE(fixture.Tables().AppliedMode(1, 4), int(BusTables::kUnknownMode));
    QVERIFY(fixture.Tables().HasSelection());
}

QTEST_MAIN(TestDiskFormatFaults)
#include "tst_diskformat_faults.moc"
