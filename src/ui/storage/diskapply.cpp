// SPDX-License-Identifier: GPL-3.0-or-later
// Applying performance modes: each disk whose mode the operator changed is
// set on its own, bus 1 first, and the recorder is given 5 s before the next.

#include "bustables.h"
#include "waitdlg.h"

#include "devices/devicelists.h"
#include "link/timing.h"
#include "protocol/diskcommands.h"

#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int kApplyMs = 5000;

} // namespace

void WaitDlg::StartApply()
{
    textLabel->setText(QStringLiteral("Please wait while applying modification(s)..."));
    if (!ApplyFrom(1, 0))
        Finish();
}

void WaitDlg::ApplyTimer()
{
    if (!StepDue())
        return;
    int bus = currentBus;
    int id = currentId + 1;
    if (id == BusTables::kIds) {
        ++bus;
        id = 0;
    }
    if (bus > BusTables::kBuses || !ApplyFrom(bus, id))
        Finish();
}

// Sends the mode of the first changed disk from (bus, id) on and waits for
// the recorder; false when no disk from there on was changed.
bool WaitDlg::ApplyFrom(int bus, int id)
{
    for (; bus <= BusTables::kBuses; ++bus, id = 0) {
        for (; id < BusTables::kIds; ++id) {
            progressBar->setValue((bus - 1) * BusTables::kIds + id);
            const int entry = tables.ModeEntry(bus, id);
            if (entry == tables.AppliedMode(bus, id))
                continue;
            DiskApply(quint8(bus), quint8(id), quint8(entry));
            if (RecorderLost()) {
                Finish(QMessageBox::Critical,
                       QStringLiteral("The recorder stopped answering. The mode of ID %1 on "
                                      "bus %2 and of the disks after it was not applied.")
                           .arg(id)
                           .arg(bus));
                return true;
            }
            currentBus = bus;
            currentId = id;
            startMs = NowMs();
            StartTimer(kApplyMs, &WaitDlg::ApplyTimer);
            return true;
        }
    }
    return false;
}
