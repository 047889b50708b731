#pragma once

class QPushButton;
class QTableWidget;
class QWidget;

// The fourth page: the recorder's two SCSI buses, one row per SCSI ID, with
// the keys that scan, format and set the disks' performance modes.
struct ExpertPage
{
    QWidget *page = nullptr;
    QTableWidget *TableBus1 = nullptr;
    QTableWidget *TableBus2 = nullptr;
    QPushButton *pbScan = nullptr;
    QPushButton *pbFormat = nullptr;
    QPushButton *pbApply = nullptr;
    QPushButton *pbApply2 = nullptr;
};

// Builds the page's widgets and layouts inside `page` (the tab "TabPage_2").
ExpertPage BuildExpertPage(QWidget *page);
