#include "model/diskarray.h"

#include <QtEndian>

namespace xrsim {

namespace {
constexpr int TableEntrySize = 12;
} // namespace

DiskArray::DiskArray(const Timing &timing) : m_timing(timing) {}

void DiskArray::install(int bus, int id, bool formatted, int megabytes, int mode)
{
    if (Disk *d = disk(bus, id)) {
        d->present = true;
        d->formatted = formatted;
        d->megabytes = megabytes;
        d->mode = quint8(0x0F + 0x10 * mode);
    }
}

Disk *DiskArray::disk(int bus, int id)
{
    if (bus < 1 || bus > Buses || id < 0 || id >= Ids)
        return nullptr;
    return &m_disks[size_t((bus - 1) * Ids + id)];
}

void DiskArray::update(qint64 nowMs)
{
    for (Disk &d : m_disks) {
        if (d.formatDoneMs >= 0 && nowMs >= d.formatDoneMs) {
            d.formatDoneMs = -1;
            d.formatted = true;
            m_formatEnded = true;
        }
        if (d.pageReadyMs >= 0 && nowMs >= d.pageReadyMs) {
            d.pageReadyMs = -1;
            d.pageKnown = true;
        }
    }
}

void DiskArray::scan(qint64 nowMs)
{
    m_scanDoneMs = nowMs + m_timing.scanMs;
    for (Disk &d : m_disks)
        d.pageKnown = false;
}

bool DiskArray::inquire(int bus, int id, qint64 nowMs)
{
    Disk *d = disk(bus, id);
    if (!d || !d->present)
        return false;
    d->pageReadyMs = nowMs + m_timing.inquiryMs;
    return true;
}

bool DiskArray::format(int bus, int id, qint64 nowMs)
{
    Disk *d = disk(bus, id);
    if (!d || !d->present || formatting(nowMs))
        return false;
    d->formatted = false;
    d->formatDoneMs = nowMs + m_timing.formatMs;
    return true;
}

bool DiskArray::setMode(int bus, int id, quint8 code)
{
    Disk *d = disk(bus, id);
    if (!d || !d->present || !validMode(code))
        return false;
    d->mode = code;
    d->pageKnown = true;
    return true;
}

QByteArray DiskArray::modeSense(int bus, int id, qint64 nowMs)
{
    const Disk *d = disk(bus, id);
    QByteArray bytes(2, '\0');
    // Until a scan has finished no disk has answered.
    const bool scanned = m_scanDoneMs >= 0 && nowMs >= m_scanDoneMs;
    if (!d || !d->present || !scanned) {
        bytes[0] = char(NoDisk);
        return bytes;
    }
    bytes[0] = char(d->formatted ? Ready : NeedsFormat);
    bytes[1] = char(d->pageKnown ? d->mode : 0);
    return bytes;
}

std::optional<qint64> DiskArray::formatting(qint64 nowMs) const
{
    for (const Disk &d : m_disks) {
        if (d.formatDoneMs >= 0)
            return nowMs - (d.formatDoneMs - m_timing.formatMs);
    }
    return std::nullopt;
}

int DiskArray::totalMegabytes() const
{
    int total = 0;
    for (const Disk &d : m_disks) {
        if (d.present && d.formatted)
            total += d.megabytes;
    }
    return total;
}

QByteArray DiskArray::tableEntry(int index) const
{
    // Capacity in megabytes, a second number this recorder leaves zero, bus,
    // ID, the present flag and the performance mode.
    QByteArray entry(TableEntrySize, '\0');
    int seen = 0;
    for (size_t i = 0; i < m_disks.size(); ++i) {
        const Disk &d = m_disks[i];
        if (!d.present || !d.formatted || seen++ != index)
            continue;
        qToBigEndian(quint32(d.megabytes), entry.data());
        entry[8] = char(int(i) / Ids + 1);
        entry[9] = char(int(i) % Ids);
        entry[10] = 1;
        entry[11] = char(d.mode);
        break;
    }
    return entry;
}

} // namespace xrsim
