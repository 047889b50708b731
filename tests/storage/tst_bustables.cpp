// SPDX-License-Identifier: GPL-3.0-or-later
// The bus tables without a recorder: their rows and drop-downs, the choice of
// the disk to format, and actions that must do nothing at all.

#include "modalanswers.h"

#include "ui/storage/bustables.h"
#include "ui/storage/diskactions.h"

#include "devices/devicelists.h"

#include <QComboBox>
#include <QTableWidget>
#include <QtTest>

class TestBusTables : public QObject
{
    Q_OBJECT

private slots:
    void tablesStartEmptyAndDisabled();
    void pressingARowSelects();
    void actionsNeedARecorder();
};

void TestBusTables::tablesStartEmptyAndDisabled()
{
    QTableWidget bus1;
    QTableWidget bus2;
    BusTables tables(&bus1, &bus2);
    for (QTableWidget *table : {&bus1, &bus2}) {
        QVERIFY(!table->isEnabled());
        QCOMPARE(table->rowCount(), 16);
        QCOMPARE(table->columnCount(), 2);
        auto *mode = qobject_cast<QComboBox *>(table->cellWidget(15, 1));
        QVERIFY(mode);
        QCOMPARE(mode->count(), 4);
        QCOMPARE(mode->itemText(1), QStringLiteral("Fast(a/v)"));
        QCOMPARE(mode->itemText(3), QString());
        QCOMPARE(mode->currentIndex(), 3);
    }
    QCOMPARE(tables.Status(2, 15), QString());
    QCOMPARE(tables.AppliedMode(1, 0), int(BusTables::kNoMode));
    QVERIFY(!tables.HasSelection());
}

void TestBusTables::pressingARowSelects()
{
    QTableWidget bus1;
    QTableWidget bus2;
    BusTables tables(&bus1, &bus2);
    for (int id = 0; id < 16; ++id)
        tables.SetStatus(2, id, BusTables::kNoDisk);
    tables.SetStatus(2, 3, BusTables::kNeedsFormatting);
    tables.SetStatus(2, 4, BusTables::kDiskReady);
    tables.SetModeEntry(2, 0, BusTables::kFastMode);
    tables.SetModeEntry(2, 4, BusTables::kMcsMode);

    tables.PressRow(2, 3);
    QCOMPARE(tables.SelectedBus(), 2);
    QCOMPARE(tables.SelectedId(), 3);
    // The rows without a disk lose the mode someone picked for them.
    QCOMPARE(tables.ModeEntry(2, 0), int(BusTables::kNoMode));
    QCOMPARE(tables.ModeEntry(2, 4), int(BusTables::kMcsMode));

    tables.PressRow(2, 16);
    QCOMPARE(tables.SelectedId(), 3);
    tables.PressRow(2, 0);
    QVERIFY(!tables.HasSelection());
    QCOMPARE(tables.SelectedBus(), -1);
    tables.PressRow(2, 4);
    QCOMPARE(tables.SelectedId(), 4);
    // A row no scan reported on (the scan stopped before it) is no disk to format.
    tables.PressRow(1, 5);
    QVERIFY(!tables.HasSelection());
}

void TestBusTables::actionsNeedARecorder()
{
    CurrentDevice = nullptr;
    QTableWidget bus1;
    QTableWidget bus2;
    DiskActions actions(&bus1, &bus2, nullptr);
    actions.Tables().SetStatus(1, 0, BusTables::kDiskReady);
    actions.PressRow(1, 0);
    actions.Tables().SetModeEntry(1, 0, BusTables::kFastMode);
    ModalAnswers answers;
    bool shown = false;
    answers.WhileOpen([&shown](QWidget *) { return shown = true; });
    actions.Scan();
    actions.Format();
    actions.Apply();
    QCoreApplication::processEvents();
    QVERIFY(!shown);
    QVERIFY(answers.texts.isEmpty());
}

QTEST_MAIN(TestBusTables)
#include "tst_bustables.moc"
