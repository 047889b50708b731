// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bustables.h"

class QTableWidget;
class QWidget;
class WaitDlg;

// The disk actions of the Expert page on its two bus tables: scan, format
// and apply, each inside a progress dialog and bracketed by the recorder's
// disk maintenance (DiskCommand 1 before, 0 after). Without a recorder an
// action sends nothing and shows nothing.
//
// The page's slots forward to it:
//   pbScan_clicked()         -> Scan()
//   pbFormat_released()      -> Format()
//   pbApply2_clicked()       -> Apply()   (pbApply_pressed() too)
//   TableBus1_pressed(row)   -> PressRow(1, row)
//   TableBus2_pressed(row)   -> PressRow(2, row)
class DiskActions
{
public:
    // The tables are set up here; `dialogParent` owns the progress dialog
    // and the questions while they are shown.
    DiskActions(QTableWidget *bus1, QTableWidget *bus2, QWidget *dialogParent);

    void Scan();
    // Asks first, then formats the selected disk; nothing without a
    // selection. When the watch of the format ends before the recorder
    // shows its end (cancelled, or past its time limit), the disk's row is
    // read again and the operator told that the outcome is unknown.
    void Format();
    void Apply();
    void PressRow(int bus, int row) { tables.PressRow(bus, row); }

    BusTables &Tables() { return tables; }

private:
    template <typename Start>
    void Run(WaitDlg &dialog, Start start);
    void RescanRow(int bus, int id);

    BusTables tables;
    QWidget *dialogParent;
};
