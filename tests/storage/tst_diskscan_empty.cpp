// SPDX-License-Identifier: GPL-3.0-or-later
// A scan of a recorder without disks: ten seconds of searching, then every
// SCSI ID of both buses asked once, and both tables left disabled.

#include "diskfixture.h"

#include "ui/storage/waitdlg.h"

#include <QProgressBar>
#include <QtTest>

class TestDiskScanEmpty : public QObject
{
    Q_OBJECT

private slots:
    void scanWithoutDisks();
};

void TestDiskScanEmpty::scanWithoutDisks()
{
    DiskFixture fixture("127.0.71.1");
    xrsim::Scenario scenario;
    scenario.disks.clear();
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));

    QString title;
    QString label;
    QSize size;
    int steps = 0;
    bool percentShown = true;
    fixture.answers.WhileOpen([&](QWidget *modal) {
        auto *dialog = qobject_cast<WaitDlg *>(modal);
        if (!dialog)
            return false;
        title = dialog->windowTitle();
        label = dialog->textLabel->text();
        size = dialog->minimumSize();
        steps = dialog->progressBar->maximum();
        percentShown = dialog->progressBar->isTextVisible();
        return true;
    });
    const quint32 start = NowMs();
    fixture.actions->Scan();

    QCOMPARE(title, QStringLiteral("Tavrel"));
    QCOMPARE(label, QStringLiteral("Searching for SCSI drives."));
    QVERIFY(size.width() >= 361 && size.height() >= 82);
    QCOMPARE(steps, 32);
    QVERIFY(!percentShown);

    QList<QByteArray> expected{MaintenanceOn(), WireFrame({0x32, 0x22, 0xFF, 0xFF})};
    for (quint8 bus = 1; bus <= 2; ++bus) {
        for (quint8 id = 0; id < 16; ++id)
            expected << ModeSense(bus, id);
    }
    expected << MaintenanceOff();
    QCOMPARE(fixture.Frames(), expected);
    // The walk starts once the ten ticks of 1 s are over.
    QVERIFY(fixture.StampOf(2) - start >= 9950);

    for (int bus = 1; bus <= 2; ++bus) {
        QVERIFY(!fixture.Tables().Table(bus)->isEnabled());
        for (int id = 0; id < 16; ++id) {
            QCOMPARE(fixture.Tables().Status(bus, id), BusTables::kNoDisk);
            QCOMPARE(fixture.Tables().ModeEntry(bus, id), int(BusTables::kNoMode));
        }
    }
    QVERIFY(fixture.answers.texts.isEmpty());
}

QTEST_MAIN(TestDiskScanEmpty)
#include "tst_diskscan_empty.moc"
