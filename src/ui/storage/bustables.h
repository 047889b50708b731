// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

class QComboBox;
class QTableWidget;
struct DiskModeState;

// The recorder's two SCSI buses as the Expert page shows them: one table per
// bus, one row per SCSI ID with the disk's status and its performance mode in
// a drop-down. Besides the tables it keeps the mode each disk had after the
// last scan (what an apply compares with) and the disk selected for
// formatting.
class BusTables
{
public:
    static constexpr int kBuses = 2;
    static constexpr int kIds = 16;

    // Entries of the mode drop-down; the last one, empty, stands for no disk.
    // A disk whose mode the recorder did not report shows no entry but the
    // word "Unknown".
    enum Mode { kUnknownMode = -1, kDefaultMode = 0, kFastMode = 1, kMcsMode = 2, kNoMode = 3 };

    static const QString kNoDisk;
    static const QString kDiskReady;
    static const QString kNeedsFormatting;

    // Sets both tables up: sixteen rows with an empty status and the empty
    // mode entry, disabled until a scan finds a disk on the bus.
    BusTables(QTableWidget *bus1, QTableWidget *bus2);

    QTableWidget *Table(int bus) const { return tables[size_t(bus - 1)]; }

    QString Status(int bus, int id) const;
    void SetStatus(int bus, int id, const QString &status);
    int ModeEntry(int bus, int id) const;
    void SetModeEntry(int bus, int id, int entry);
    int AppliedMode(int bus, int id) const { return applied[size_t(bus - 1)][size_t(id)]; }
    // A row as the recorder reports its disk: the status of its state byte
    // (anything but a ready or unformatted disk is "No disk") and, for a
    // disk, the mode of its mode page byte, unknown for a byte of no mode.
    void ShowDisk(int bus, int id, const DiskModeState &disk);
    // A row whose disk the recorder would not describe: no status, no mode.
    void ShowUnreported(int bus, int id);
    // After a scan: the modes shown are the modes the disks have (an unknown
    // one is no mode to keep), and a selection on a row that no longer shows
    // a disk is dropped.
    void KeepScannedState();
    // After one row was read again: the same for that row.
    void KeepScannedRow(int bus, int id);
    void SetBusEnabled(int bus, bool enabled);

    // A press on a row: a row with a disk becomes the selection, any other
    // row clears it. The rows of that bus without a disk lose their mode.
    void PressRow(int bus, int row);
    bool HasSelection() const { return selectedBus > 0; }
    int SelectedBus() const { return selectedBus; }
    int SelectedId() const { return selectedId; }

private:
    QComboBox *ModeBox(int bus, int id) const { return modes[size_t(bus - 1)][size_t(id)]; }
    bool ShowsDisk(int bus, int id) const;
    void SetUp(int bus);

    std::array<QTableWidget *, kBuses> tables;
    std::array<std::array<QComboBox *, kIds>, kBuses> modes{};
    std::array<std::array<int, kIds>, kBuses> applied{};
    int selectedBus = -1;
    int selectedId = -1;
};
