// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/diskarray.h"

#include <QtEndian>

namespace xrsim {

namespace {
constexpr int kTableEntrySize = 12;
} // namespace

DiskArray::DiskArray(const Timing &timing) : timing(timing) {}

void DiskArray::Install(int bus, int id, bool formatted, int megabytes, int mode)
{
    if (Disk *d = DiskAt(bus, id)) {
        d->present = true;
        d->formatted = formatted;
        d->megabytes = megabytes;
        d->mode = quint8(0x0F + 0x10 * mode);
    }
}

Disk *DiskArray::DiskAt(int bus, int id)
{
    if (bus < 1 || bus > kBuses || id < 0 || id >= kIds)
        return nullptr;
    return &disks[size_t((bus - 1) * kIds + id)];
}

void DiskArray::Update(qint64 nowMs)
{
    for (Disk &d : disks) {
        if (d.formatStartMs >= 0 && !timing.formatEndless &&
            nowMs - d.formatStartMs >= timing.formatMs) {
            d.formatStartMs = -1;
            d.formatted = true;
            formatEnded = true;
        }
        if (d.pageReadyMs >= 0 && nowMs >= d.pageReadyMs) {
            d.pageReadyMs = -1;
            d.pageKnown = true;
        }
    }
}

void DiskArray::Scan(qint64 nowMs)
{
    scanDoneMs = nowMs + timing.scanMs;
    for (Disk &d : disks)
        d.pageKnown = false;
}

bool DiskArray::Inquire(int bus, int id, qint64 nowMs)
{
    Disk *d = DiskAt(bus, id);
    if (!d || !d->present)
        return false;
    d->pageReadyMs = nowMs + timing.inquiryMs;
    return true;
}

bool DiskArray::Format(int bus, int id, qint64 nowMs)
{
    Disk *d = DiskAt(bus, id);
    if (!d || !d->present || Formatting(nowMs))
        return false;
    d->formatted = false;
    d->formatStartMs = nowMs;
    return true;
}

bool DiskArray::SetMode(int bus, int id, quint8 code)
{
    Disk *d = DiskAt(bus, id);
    if (!d || !d->present || !ValidMode(code))
        return false;
    d->mode = code;
    d->pageKnown = true;
    return true;
}

QByteArray DiskArray::ModeSense(int bus, int id, qint64 nowMs)
{
    const Disk *d = DiskAt(bus, id);
    QByteArray bytes(2, '\0');
    // Until a scan has finished no disk has answered.
    const bool scanned = scanDoneMs >= 0 && nowMs >= scanDoneMs;
    if (!d || !d->present || !scanned) {
        bytes[0] = char(kNoDisk);
        return bytes;
    }
    bytes[0] = char(d->formatted ? kReady : kNeedsFormat);
    bytes[1] = char(d->pageKnown ? d->mode : 0);
    return bytes;
}

std::optional<qint64> DiskArray::Formatting(qint64 nowMs) const
{
    for (const Disk &d : disks) {
        if (d.formatStartMs >= 0)
            return nowMs - d.formatStartMs;
    }
    return std::nullopt;
}

int DiskArray::TotalMegabytes() const
{
    int total = 0;
    for (const Disk &d : disks) {
        if (d.present && d.formatted)
            total += d.megabytes;
    }
    return total;
}

QByteArray DiskArray::TableEntry(int index) const
{
    // Capacity in megabytes, a second number this recorder leaves zero, bus,
    // ID, the present flag and the performance mode.
    QByteArray entry(kTableEntrySize, '\0');
    int seen = 0;
    for (size_t i = 0; i < disks.size(); ++i) {
        const Disk &d = disks[i];
        if (!d.present || !d.formatted || seen++ != index)
            continue;
        qToBigEndian(quint32(d.megabytes), entry.data());
        entry[8] = char(int(i) / kIds + 1);
        entry[9] = char(int(i) % kIds);
        entry[10] = 1;
        entry[11] = char(d.mode);
        break;
    }
    return entry;
}

} // namespace xrsim
