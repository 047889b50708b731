// SPDX-License-Identifier: GPL-3.0-or-later
// The scan: the recorder searches both buses for ten seconds, then every SCSI
// ID is asked for its disk; each disk found is asked for its mode page, which
// the recorder needs five seconds to read.

#include "bustables.h"
#include "waitdlg.h"

#include "devices/devicelists.h"
#include "link/linkstatus.h"
#include "link/timing.h"
#include "protocol/diskcommands.h"

#include <QLabel>
#include <QProgressBar>
#include <QStringList>
#include <QtDebug>

namespace {

constexpr int kScanTickMs = 1000;
constexpr int kScanTicks = 10;
constexpr int kScanProgressPerTick = 3;
constexpr int kModePageMs = 5000;

} // namespace

void WaitDlg::StartScan()
{
    textLabel->setText(QStringLiteral("Searching for SCSI drives."));
    DiskScanAll();
    phase = 0;
    diskAnswered = {};
    unanswered.clear();
    StartTimer(kScanTickMs, &WaitDlg::ScanDiskTimer);
}

void WaitDlg::ScanDiskTimer()
{
    progressBar->setValue(phase * kScanProgressPerTick);
    if (++phase < kScanTicks)
        return;
    StopTimer();
    textLabel->setText(QStringLiteral("Reading mode pages."));
    progressBar->setValue(0);
    diskWalk(1, 0, true);
}

// Asks each position from (bus, id) on for its disk, up to bus 2 ID 15, and
// pauses at the first disk found until its mode page has been read.
void WaitDlg::diskWalk(int bus, int id, bool fromScanTimer)
{
    for (; bus <= BusTables::kBuses; ++bus, id = 0) {
        for (; id < BusTables::kIds; ++id) {
            progressBar->setValue(bus * 10 - 10 + id);
            DiskModeState disk;
            const qint16 status = DiskModeSense(quint8(bus), quint8(id), disk);
            if (RecorderLost()) {
                ScanStopped(bus, id);
                return;
            }
            if (status == kStatusOk && disk.HasDisk()) {
                currentBus = bus;
                currentId = id;
                walkState = disk.state;
                if (fromScanTimer)
                    qDebug("Expert_ReadModePage(%d, %d)", bus, id);
                DiskInquiry(quint8(bus), quint8(id));
                startMs = NowMs();
                StartTimer(kModePageMs, &WaitDlg::ReadPagesTimer);
                return;
            }
            if (status != kStatusOk)
                unanswered.push_back({bus, id, false});
            tables.SetStatus(bus, id, BusTables::kNoDisk);
            tables.SetModeEntry(bus, id, BusTables::kNoMode);
        }
    }
    EndScan();
}

void WaitDlg::ReadPagesTimer()
{
    if (!StepDue())
        return;
    TakeModePage();
    if (!running)
        return;
    StopTimer();
    const bool lastId = currentId + 1 == BusTables::kIds;
    diskWalk(lastId ? currentBus + 1 : currentBus, lastId ? 0 : currentId + 1, false);
}

// A disk that answered the walk but not its mode page read keeps the state
// the walk saw, with its mode unknown.
void WaitDlg::TakeModePage()
{
    DiskModeState disk;
    const qint16 status = DiskModeSense(quint8(currentBus), quint8(currentId), disk);
    if (RecorderLost()) {
        ScanStopped(currentBus, currentId);
        return;
    }
    if (status == kStatusOk && disk.state == kDiskStateNone) {
        tables.ShowDisk(currentBus, currentId, disk);
        return;
    }
    diskAnswered[size_t(currentBus - 1)] = true;
    if (status != kStatusOk || !disk.HasDisk()) {
        unanswered.push_back({currentBus, currentId, true});
        tables.ShowDisk(currentBus, currentId, DiskModeState{walkState, 0});
        return;
    }
    tables.ShowDisk(currentBus, currentId, disk);
}

void WaitDlg::EndScan()
{
    if (unanswered.empty())
        CloseScan();
    else
        CloseScan(QMessageBox::Warning,
                  QStringLiteral("The recorder gave no valid disk status for %1. Shown with an "
                                 "unknown mode, or as \"No disk\"; scan again to retry.")
                      .arg(UnansweredText()));
}

// A bus is usable once a disk on it answered; the modes shown are now the
// modes the disks have.
void WaitDlg::CloseScan(QMessageBox::Icon icon, const QString &message)
{
    for (int bus = 1; bus <= BusTables::kBuses; ++bus)
        tables.SetBusEnabled(bus, diskAnswered[size_t(bus - 1)]);
    tables.KeepScannedState();
    Finish(icon, message);
}

// The recorder stopped answering at (bus, id): that position, the ones after
// it and those that already went unanswered are not known, and are shown so.
void WaitDlg::ScanStopped(int bus, int id)
{
    for (const Unanswered &position : unanswered) {
        if (!position.statusKnown)
            tables.SetStatus(position.bus, position.id, QString());
    }
    for (; bus <= BusTables::kBuses; ++bus, id = 0) {
        for (; id < BusTables::kIds; ++id)
            tables.ShowUnreported(bus, id);
    }
    unanswered.clear();
    CloseScan(QMessageBox::Critical,
              QStringLiteral("The recorder stopped answering during the scan. The SCSI IDs it "
                             "did not report are left blank."));
}

QString WaitDlg::UnansweredText() const
{
    QStringList positions;
    for (const Unanswered &position : unanswered)
        positions << QStringLiteral("Bus %1 ID %2").arg(position.bus).arg(position.id);
    return positions.join(QStringLiteral(", "));
}
