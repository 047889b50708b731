// SPDX-License-Identifier: GPL-3.0-or-later
#include "bustables.h"

#include <QComboBox>
#include <QTableWidget>

const QString BusTables::kNoDisk = QStringLiteral("No disk");
const QString BusTables::kDiskReady = QStringLiteral("Disk ready");
const QString BusTables::kNeedsFormatting = QStringLiteral("Disk needs formatting");

namespace {

constexpr int kStatusColumn = 0;
constexpr int kModeColumn = 1;

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

void BusTables::KeepAppliedModes()
{
    for (int bus = 1; bus <= kBuses; ++bus) {
        for (int id = 0; id < kIds; ++id)
            applied[size_t(bus - 1)][size_t(id)] = ModeEntry(bus, id);
    }
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
    const QString status = Status(bus, row);
    const bool disk = status == kDiskReady || status == kNeedsFormatting;
    selectedBus = disk ? bus : -1;
    selectedId = disk ? row : -1;
    for (int id = 0; id < kIds; ++id) {
        if (Status(bus, id) == kNoDisk)
            SetModeEntry(bus, id, kNoMode);
    }
}
