// SPDX-License-Identifier: GPL-3.0-or-later
// Formats on a recorder that answers badly: one that goes away, one that
// refuses to show its display. The dialog ends and says so; it never waits
// for ever.

#include "diskfixture.h"

#include "ui/storage/waitdlg.h"

#include <QtTest>

class TestDiskFormatFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void recorderLostDuringTheFormat();
    void displayRefused();

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

QTEST_MAIN(TestDiskFormatFaults)
#include "tst_diskformat_faults.moc"
