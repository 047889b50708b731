// SPDX-License-Identifier: GPL-3.0-or-later
#include "diskactions.h"

#include "waitdlg.h"

#include "devices/devicelists.h"
#include "link/linkstatus.h"
#include "protocol/diskcommands.h"

#include <QMessageBox>

namespace {

constexpr quint8 kMaintenanceOn = 1;
constexpr quint8 kMaintenanceOff = 0;

} // namespace

DiskActions::DiskActions(QTableWidget *bus1, QTableWidget *bus2, QWidget *dialogParent)
    : tables(bus1, bus2), dialogParent(dialogParent)
{}

// The dialog runs until its last step closes it; an action that needs no
// step (nothing to apply) closes it before it is shown.
template <typename Start>
void DiskActions::Run(WaitDlg &dialog, Start start)
{
    DiskCommand(kMaintenanceOn);
    start(dialog);
    if (dialog.Running())
        dialog.exec();
    DiskCommand(kMaintenanceOff);
}

void DiskActions::Scan()
{
    if (!CurrentDevice)
        return;
    WaitDlg dialog(tables, dialogParent);
    Run(dialog, [](WaitDlg &scan) { scan.StartScan(); });
}

void DiskActions::Format()
{
    if (!CurrentDevice || !tables.HasSelection())
        return;
    const int bus = tables.SelectedBus();
    const int id = tables.SelectedId();
    const auto answer =
        QMessageBox::information(dialogParent, QStringLiteral("Tavrel"),
                                 QStringLiteral("Format disk ID : %1 on bus %2 ?").arg(id).arg(bus),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    WaitDlg dialog(tables, dialogParent);
    Run(dialog, [bus, id](WaitDlg &format) { format.StartFormat(bus, id); });
    if (dialog.FormatLeft().isEmpty())
        return;
    RescanRow(bus, id);
    QMessageBox::warning(dialogParent, QStringLiteral("Tavrel"),
                         dialog.FormatLeft() +
                             QStringLiteral(" The outcome of the format is unknown; the disk is "
                                            "shown as the recorder reports it now."));
}

void DiskActions::Apply()
{
    if (!CurrentDevice)
        return;
    WaitDlg dialog(tables, dialogParent);
    Run(dialog, [](WaitDlg &apply) { apply.StartApply(); });
}

// The disk's state as the recorder reports it now; its mode page is not read
// again (that takes the recorder seconds), so a mode it does not report
// shows as unknown until the next scan.
void DiskActions::RescanRow(int bus, int id)
{
    DiskModeState disk;
    if (DiskModeSense(quint8(bus), quint8(id), disk) == kStatusOk)
        tables.ShowDisk(bus, id, disk);
    else
        tables.ShowUnreported(bus, id);
    tables.KeepScannedRow(bus, id);
}
