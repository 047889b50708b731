// SPDX-License-Identifier: GPL-3.0-or-later
// Applying performance modes: one disk at a time, bus 1 first, 5 s apart.

#include "diskfixture.h"

#include <QtTest>

class TestDiskApply : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void nothingChangedNothingApplied();
    void twoDisksFiveSecondsApart();
    void recorderLostStopsTheApply();

private:
    DiskFixture fixture{"127.0.71.61"};
};

void TestDiskApply::initTestCase()
{
    xrsim::Scenario scenario;
    scenario.disks = {{1, 2, true, 1000}, {1, 5, true, 1000}, {2, 0, true, 1000}};
    QVERIFY2(fixture.Start(scenario), qPrintable(fixture.recorder.Error()));
}

void TestDiskApply::init()
{
    fixture.recorder.Reset();
    fixture.Tables().KeepScannedState();
}

void TestDiskApply::nothingChangedNothingApplied()
{
    bool shown = false;
    fixture.answers.WhileOpen([&shown](QWidget *) { return shown = true; });
    fixture.actions->Apply();
    QCOMPARE(fixture.Frames(), (QList<QByteArray>{MaintenanceOn(), MaintenanceOff()}));
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    fixture.answers.WhileOpen(nullptr);
}

void TestDiskApply::twoDisksFiveSecondsApart()
{
    fixture.Tables().SetModeEntry(2, 0, BusTables::kMcsMode);
    fixture.Tables().SetModeEntry(1, 2, BusTables::kFastMode);
    fixture.actions->Apply();
    QCOMPARE(fixture.Frames(),
             (QList<QByteArray>{MaintenanceOn(), WireFrame({0x33, 0x25, 0x01, 0x02, 0x1F}),
                                WireFrame({0x33, 0x25, 0x02, 0x00, 0x2F}), MaintenanceOff()}));
    QVERIFY(fixture.StampOf(2) - fixture.StampOf(1) >= 4900);
    // The dialog closes at the following tick.
    QVERIFY(fixture.StampOf(3) - fixture.StampOf(2) >= 4900);
    QVERIFY(fixture.answers.texts.isEmpty());
}

// The command engine gives the recorder up after the first mode: the second
// is not sent, and the operator is told which disks kept their modes.
void TestDiskApply::recorderLostStopsTheApply()
{
    fixture.Tables().SetModeEntry(1, 2, BusTables::kDefaultMode);
    fixture.Tables().SetModeEntry(1, 5, BusTables::kFastMode);
    fixture.answers.WhileOpen([this](QWidget *) {
        if (fixture.IndexesOf(0x33, 0x25).isEmpty())
            return false;
        fixture.recorder.device->disconnected = 1;
        return true;
    });
    fixture.actions->Apply();
    QCOMPARE(fixture.IndexesOf(0x33, 0x25).size(), 1);
    QCOMPARE(fixture.answers.texts.size(), 1);
    QVERIFY(fixture.answers.texts.first().contains(QStringLiteral("ID 5 on bus 1")));
}

QTEST_MAIN(TestDiskApply)
#include "tst_diskapply.moc"
