// SPDX-License-Identifier: GPL-3.0-or-later
// Formatting the selected disk: the question, the "Format" word watched on the
// recorder's display from 5 s on, and the error or completion box.

#include "diskfixture.h"

#include "ui/storage/waitdlg.h"

#include <QtTest>

namespace {

// The recorder takes a minute; tests jump its clock instead of waiting.
constexpr int kFormatMs = 60000;

} // namespace

class TestDiskFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void answeringNoSendsNothing();
    void formatEndedEarlyIsAnError();
    void formatCompletes();

private:
    DiskFixture fixture{"127.0.71.41"};
};

void TestDiskFormat::initTestCase()
{
    xrsim::Scenario scenario;
    scenario.disks = {{2, 3, false, 2000}};
    scenario.formatMs = kFormatMs;
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));
    fixture.Tables().SetStatus(2, 3, BusTables::kNeedsFormatting);
    fixture.actions->PressRow(2, 3);
}

void TestDiskFormat::init()
{
    fixture.recorder.Reset();
    fixture.answers.texts.clear();
}

void TestDiskFormat::answeringNoSendsNothing()
{
    fixture.answers.Press(QStringLiteral("&No"));
    fixture.actions->Format();
    QCOMPARE(fixture.answers.texts, QStringList{QStringLiteral("Format disk ID : 3 on bus 2 ?")});
    QVERIFY(fixture.Frames().isEmpty());
}

// The recorder finished before the first look at its display: the word was
// never seen, which is taken as a failed format.
void TestDiskFormat::formatEndedEarlyIsAnError()
{
    fixture.answers.Press(QStringLiteral("&Yes"));
    fixture.answers.WhileOpen([this](QWidget *) {
        if (fixture.IndexesOf(0x32, 0x23).isEmpty())
            return false;
        fixture.recorder.sim.AdvanceClock(kFormatMs);
        return true;
    });
    const quint32 start = NowMs();
    fixture.actions->Format();
    QCOMPARE(fixture.answers.texts,
             (QStringList{QStringLiteral("Format disk ID : 3 on bus 2 ?"),
                          QStringLiteral("Error while formatting HD 3 on Bus 2.")}));
    QCOMPARE(fixture.Frames(),
             (QList<QByteArray>{MaintenanceOn(), WireFrame({0x32, 0x23, 0x02, 0x03}),
                                WireFrame({0x61, 0x95, 0x07}), MaintenanceOff()}));
    QVERIFY(fixture.StampOf(2) - start >= 4950);
}

void TestDiskFormat::formatCompletes()
{
    fixture.answers.Press(QStringLiteral("&Yes"));
    QString label;
    fixture.answers.WhileOpen([this, &label](QWidget *modal) {
        auto *dialog = qobject_cast<WaitDlg *>(modal);
        if (!dialog || !dialog->textLabel->text().startsWith(QStringLiteral("Formatting HD...")))
            return false;
        label = dialog->textLabel->text();
        fixture.recorder.sim.AdvanceClock(kFormatMs);
        return true;
    });
    fixture.actions->Format();
    QCOMPARE(label, QStringLiteral("Formatting HD... (Time elapsed : 00:00:05)"));
    QCOMPARE(fixture.answers.texts.size(), 2);
    QCOMPARE(fixture.answers.texts.last(),
             QStringLiteral("Format HD 3 on Bus 2 completed. Time elapsed : 00:00:05"));
    const QList<QByteArray> frames = fixture.Frames();
    QCOMPARE(frames.first(), MaintenanceOn());
    QCOMPARE(frames.last(), MaintenanceOff());
    QVERIFY(fixture.IndexesOf(0x61, 0x95).size() >= 2);
}

QTEST_MAIN(TestDiskFormat)
#include "tst_diskformat.moc"
