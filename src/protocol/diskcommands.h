// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The recorder's SCSI disks, addressed by bus (1 or 2) and ID. What the codes
// mean is the storage page's business; these only carry them.

// 1 before every disk action, 0 after it.
qint16 DiskCommand(quint8 code);

// Scans both buses.
qint16 DiskScanAll();

qint16 DiskFormat(quint8 bus, quint8 id);

// Asks a disk for its mode page; DiskModeSense reports it later.
qint16 DiskInquiry(quint8 bus, quint8 id);

// Sets a disk's performance mode (0-3).
qint16 DiskApply(quint8 bus, quint8 id, quint8 mode);

// The state byte of a disk's mode sense.
constexpr quint8 kDiskStateNone = 0x0D;
constexpr quint8 kDiskStateReady = 0x1D;
constexpr quint8 kDiskStateUnformatted = 0xFF;

// What the recorder reports about one disk: its state and, once the mode
// page was read, its mode byte (0x0F, 0x1F, 0x2F for modes 0-2).
struct DiskModeState
{
    quint8 state = 0;
    quint8 mode = 0;

    // A ready disk or one that needs formatting; any other state is none.
    bool HasDisk() const { return state == kDiskStateReady || state == kDiskStateUnformatted; }
};

// Both bytes are cleared first and filled from a sense return as far as it
// carries them; a disk the recorder does not describe reads as state 0.
qint16 DiskModeSense(quint8 bus, quint8 id, DiskModeState &disk);
