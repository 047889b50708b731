// SPDX-License-Identifier: GPL-3.0-or-later
#include "diskactions.h"

#include "waitdlg.h"

#include "devices/devicelists.h"
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
void DiskActions::Run(Start start)
{
    WaitDlg dialog(tables, dialogParent);
    DiskCommand(kMaintenanceOn);
    start(dialog);
    if (dialog.Running())
        dialog.exec();
    DiskCommand(kMaintenanceOff);
}

void DiskActions::Scan()
{
    if (CurrentDevice)
        Run([](WaitDlg &dialog) { dialog.StartScan(); });
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
    if (answer == QMessageBox::Yes)
        Run([bus, id](WaitDlg &dialog) { dialog.StartFormat(bus, id); });
}

void DiskActions::Apply()
{
    if (CurrentDevice)
        Run([](WaitDlg &dialog) { dialog.StartApply(); });
}
