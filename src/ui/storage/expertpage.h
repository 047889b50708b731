// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/keytable.h"

#include <QWidget>

#include <memory>

class DiskActions;
class QLabel;
class QTableWidget;
class RecorderSession;

// The fourth page: the recorder's two SCSI buses, one row per SCSI ID, with
// the keys that scan them, format a disk and set the disks' performance
// modes.
class ExpertPage : public QWidget
{
    Q_OBJECT

public:
    ExpertPage(RecorderSession &session, QWidget *parent);
    ~ExpertPage() override;

    static std::vector<KeyInfo> Keys();
    void languageChange();

    QTableWidget *TableBus1 = nullptr;
    QTableWidget *TableBus2 = nullptr;
    QLabel *bus1Label = nullptr;
    QLabel *bus2Label = nullptr;
    QPushButton *pbScan = nullptr;
    QPushButton *pbFormat = nullptr;
    QPushButton *pbApply = nullptr;
    QPushButton *pbApply2 = nullptr;

public slots:
    void pbScan_clicked();
    void pbFormat_pressed();
    // A format starts when the key is let go.
    void pbFormat_released();
    void pbApply_pressed();
    void pbApply2_clicked();
    void pbApplyRecordSettings_clicked();
    void TableBus1_pressed(int row);
    void TableBus2_pressed(int row);
    void TableBus1_clicked(int row);
    void TableBus2_clicked(int row);

private:
    QTableWidget *BuildBus(const char *name, const char *accessibleName);
    static void NumberRows(QTableWidget *table);
    void LayOut();

    RecorderSession &session;
    // Scan, format and apply on the two bus tables.
    std::unique_ptr<DiskActions> disks;
};
