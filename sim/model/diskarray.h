// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <array>
#include <optional>

namespace xrsim {

// One SCSI disk: present or not, formatted or not, and its performance mode
// as the mode page code 0x0F (default), 0x1F (fast audio/video) or 0x2F
// (MCS mode).
struct Disk
{
    bool present = false;
    bool formatted = false;
    int megabytes = 0;
    quint8 mode = 0x0F;
    // The mode page is known once an inquiry has read it.
    bool pageKnown = false;
    qint64 pageReadyMs = -1;
    // When the format in progress started; -1 while none runs.
    qint64 formatStartMs = -1;
};

// The recorder's disks on two SCSI buses (1 and 2) of sixteen IDs. Scans,
// mode page reads and formats take time; update() lets them finish.
class DiskArray
{
public:
    static constexpr int kBuses = 2;
    static constexpr int kIds = 16;
    // The first byte of a disk's mode sense.
    static constexpr quint8 kNoDisk = 0x0D;
    static constexpr quint8 kReady = 0x1D;
    static constexpr quint8 kNeedsFormat = 0xFF;

    struct Timing
    {
        int scanMs;
        int inquiryMs;
        int formatMs;
        // A format that never ends: the display shows it for ever.
        bool formatEndless;
    };

    explicit DiskArray(const Timing &timing);

    static bool ValidMode(quint8 code) { return code == 0x0F || code == 0x1F || code == 0x2F; }

    // Mode 0-2: the performance mode, mode page code 0x0F, 0x1F or 0x2F.
    void Install(int bus, int id, bool formatted, int megabytes, int mode = 0);
    Disk *DiskAt(int bus, int id);
    void Update(qint64 nowMs);

    // Disk maintenance must be entered before the disks can be worked on.
    bool maintenance = false;

    void Scan(qint64 nowMs);
    bool Inquire(int bus, int id, qint64 nowMs);
    bool Format(int bus, int id, qint64 nowMs);
    bool SetMode(int bus, int id, quint8 code);
    // Status byte and mode page byte of one disk.
    QByteArray ModeSense(int bus, int id, qint64 nowMs);

    // How long the format in progress has run, none while no disk formats.
    std::optional<qint64> Formatting(qint64 nowMs) const;
    // Set when a format ended, until the front panel has shown it.
    bool FormatEnded() const { return formatEnded; }
    void ClearFormatEnded() { formatEnded = false; }
    int TotalMegabytes() const;
    // Entry index (0-5) of the disk table: the ready disks in bus and ID
    // order; a zero entry past the last.
    QByteArray TableEntry(int index) const;

private:
    std::array<Disk, kBuses * kIds> disks;
    Timing timing;
    qint64 scanDoneMs = -1;
    bool formatEnded = false;
};

} // namespace xrsim
