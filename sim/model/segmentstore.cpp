// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/segmentstore.h"

namespace xrsim {

const Segment *SegmentStore::Find(int number) const
{
    const auto it = segments.constFind(number);
    return it == segments.constEnd() ? nullptr : &it.value();
}

bool SegmentStore::Store(int number, const Segment &segment)
{
    if (!ValidNumber(number))
        return false;
    segments.insert(number, segment);
    return true;
}

bool SegmentStore::Remove(int number)
{
    return segments.remove(number) > 0;
}

int SegmentStore::FirstFree() const
{
    for (int number = kFirst; number <= kLast; ++number) {
        if (!segments.contains(number))
            return number;
    }
    return 0;
}

int SegmentStore::After(int number) const
{
    const auto it = segments.upperBound(number);
    return it == segments.constEnd() ? 0 : it.key();
}

int SegmentStore::Before(int number) const
{
    auto it = segments.lowerBound(number);
    return it == segments.constBegin() ? 0 : (--it).key();
}

void SegmentStore::RenameSource(const QByteArray &from, const QByteArray &to)
{
    for (Segment &segment : segments) {
        if (segment.source == from)
            segment.source = to;
    }
}

} // namespace xrsim
