// SPDX-License-Identifier: GPL-3.0-or-later
// A recorder that shows "Format" on its display for ever: the watch ends at
// the limit of the program's settings, with the format's outcome unknown.
// The limit itself, set, unset and nonsense.

#include "diskfixture.h"

#include "ui/storage/formatlimit.h"

#include "protocol/diskcommands.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestDiskFormatLimit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void limitFromTheSettings();
    void formatPastItsLimit();

private:
    static void SetLimit(const QVariant &seconds);

    QTemporaryDir settingsHome;
};

// The program's settings of this test, away from the user's.
void TestDiskFormatLimit::initTestCase()
{
    QVERIFY(settingsHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsHome.path()));
}

void TestDiskFormatLimit::SetLimit(const QVariant &seconds)
{
    QSettings settings(QStringLiteral("tavrel"), QStringLiteral("tavrel"));
    if (seconds.isValid())
        settings.setValue(kFormatLimitKey, seconds);
    else
        settings.remove(kFormatLimitKey);
}

// Two hours unless set to a whole number of seconds above zero; a year at
// the most.
void TestDiskFormatLimit::limitFromTheSettings()
{
    SetLimit(QVariant());
    QCOMPARE(FormatLimitMs(), quint64(7200000));
    SetLimit(90);
    QCOMPARE(FormatLimitMs(), quint64(90000));
    for (const QVariant &nonsense : {QVariant(0), QVariant(-3), QVariant(QStringLiteral("soon"))}) {
        SetLimit(nonsense);
        QCOMPARE(FormatLimitMs(), quint64(7200000));
    }
    SetLimit(QStringLiteral("99999999999999"));
    QCOMPARE(FormatLimitMs(), quint64(366) * 24 * 3600 * 1000);
}

void TestDiskFormatLimit::formatPastItsLimit()
{
    SetLimit(6);
    DiskFixture stuck("127.0.71.71");
    xrsim::Scenario scenario;
    scenario.disks = {{1, 1, true, 2000}};
    scenario.formatEndless = true;
    QVERIFY2(stuck.Start(scenario), qPrintable(stuck.recorder.Error()));
    // The recorder's disks answer once it has scanned them.
    DiskCommand(1);
    DiskScanAll();
    stuck.recorder.sim.AdvanceClock(60000);
    DiskCommand(0);
    stuck.Tables().SetStatus(1, 1, BusTables::kDiskReady);
    stuck.actions->PressRow(1, 1);
    stuck.answers.Press(QStringLiteral("&Yes"));
    stuck.recorder.ClearFrames();
    stuck.actions->Format();
    QCOMPARE(stuck.answers.texts.size(), 2);
    const QString told = stuck.answers.texts.last();
    QVERIFY2(
        told.startsWith(QStringLiteral("HD 1 on Bus 1 still showed \"Format\" after 00:00:06")),
        qPrintable(told));
    QVERIFY(told.contains(QStringLiteral("The outcome of the format is unknown")));
    const QList<QByteArray> frames = stuck.Frames();
    QCOMPARE(frames.mid(frames.size() - 2), (QList<QByteArray>{MaintenanceOff(), ModeSense(1, 1)}));
    QCOMPARE(stuck.Tables().Status(1, 1), BusTables::kNeedsFormatting);
}

QTEST_MAIN(TestDiskFormatLimit)
#include "tst_diskformat_limit.moc"
