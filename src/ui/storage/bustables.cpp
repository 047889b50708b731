// SPDX-License-Identifier: GPL-3.0-or-later
#include "bustables.h"

#include "protocol/diskcommands.h"

#include <QComboBox>
#include <QTableWidget>

const QString BusTables::kNoDisk = QStringLiteral("No disk");
const QString BusTables::kDiskReady = QStringLiteral("Disk ready");
const QString BusTables::kNeedsFormatting = QStringLiteral("Disk needs formatting");

namespace {

constexpr int kStatusColumn = 0;
constexpr int kModeColumn = 1;

// The mode page byte of each drop-down entry.
int ModeEntryOf(quint8 modePage)
{
    switch (modePage) {
    case 0x0F:
        return BusTables::kDefaultMode;
    case 0x1F:
        return BusTables::kFastMode;
    case 0x2F:
        return BusTables::kMcsMode;
    default:
        return BusTables::kUnknownMode;
    }
}

} // namespace

BusTables::BusTables(QTableWidget *bus1, QTableWidget *bus2) : tables{bus1, bus2}
{
    for (int bus = 1; bus <= kBuses; ++bus)
        SetUp(bus);
}

void BusTables::SetUp(int bus)
{
    QTableWidget *table = Table(bus);
    table->setColumnCount(2);
    table->setRowCount(kIds);
    for (int id = 0; id < kIds; ++id) {
        auto *status = new QTableWidgetItem;
        status->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table->setItem(id, kStatusColumn, status);
        auto *mode = new QComboBox(table);
        mode->addItems({QStringLiteral("Default"), QStringLiteral("Fast(a/v)"),
                        QStringLiteral("MCS mode"), QString()});
        mode->setCurrentIndex(kNoMode);
        mode->setPlaceholderText(QStringLiteral("Unknown"));
        mode->setAccessibleName(QStringLiteral("Bus %1 ID %2 mode").arg(bus).arg(id));
        table->setCellWidget(id, kModeColumn, mode);
        modes[size_t(bus - 1)][size_t(id)] = mode;
        applied[size_t(bus - 1)][size_t(id)] = kNoMode;
    }
    table->setEnabled(false);
}

QString BusTables::Status(int bus, int id) const
{
    return Table(bus)->item(id, kStatusColumn)->text();
}

void BusTables::SetStatus(int bus, int id, const QString &status)
{
    Table(bus)->item(id, kStatusColumn)->setText(status);
}

int BusTables::ModeEntry(int bus, int id) const
{
    return ModeBox(bus, id)->currentIndex();
}

void BusTables::SetModeEntry(int bus, int id, int entry)
{
    ModeBox(bus, id)->setCurrentIndex(entry);
}

void BusTables::ShowDisk(int bus, int id, const DiskModeState &disk)
{
    if (!disk.HasDisk()) {
        SetStatus(bus, id, kNoDisk);
        SetModeEntry(bus, id, kNoMode);
        return;
    }
    SetStatus(bus, id, disk.state == kDiskStateReady ? kDiskReady : kNeedsFormatting);
    SetModeEntry(bus, id, ModeEntryOf(disk.mode));
}

void BusTables::ShowUnreported(int bus, int id)
{
    SetStatus(bus, id, QString());
    SetModeEntry(bus, id, kNoMode);
}

void BusTables::KeepScannedState()
{
    for (int bus = 1; bus <= kBuses; ++bus) {
        for (int id = 0; id < kIds; ++id)
            KeepScannedRow(bus, id);
    }
}

void BusTables::KeepScannedRow(int bus, int id)
{
    applied[size_t(bus - 1)][size_t(id)] = ModeEntry(bus, id);
    if (bus == selectedBus && id == selectedId && !ShowsDisk(bus, id)) {
        selectedBus = -1;
        selectedId = -1;
    }
}

bool BusTables::ShowsDisk(int bus, int id) const
{
    const QString status = Status(bus, id);
    return status == kDiskReady || status == kNeedsFormatting;
}

void BusTables::SetBusEnabled(int bus, bool enabled)
{
    Table(bus)->setEnabled(enabled);
}

// Only a row a scan found a disk on can be formatted; a row whose status is
// not known (the scan stopped before it) cannot.
void BusTables::PressRow(int bus, int row)
{
    if (row < 0 || row >= kIds)
        return;
    const bool disk = ShowsDisk(bus, row);
    selectedBus = disk ? bus : -1;
    selectedId = disk ? row : -1;
    for (int id = 0; id < kIds; ++id) {
        if (Status(bus, id) == kNoDisk)
            SetModeEntry(bus, id, kNoMode);
    }
}
