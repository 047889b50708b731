#include "model/segmentstore.h"

namespace xrsim {

const Segment *SegmentStore::find(int number) const
{
    const auto it = m_segments.constFind(number);
    return it == m_segments.constEnd() ? nullptr : &it.value();
}

bool SegmentStore::store(int number, const Segment &segment)
{
    if (!validNumber(number))
        return false;
    m_segments.insert(number, segment);
    return true;
}

bool SegmentStore::remove(int number)
{
    return m_segments.remove(number) > 0;
}

int SegmentStore::firstFree() const
{
    for (int number = First; number <= Last; ++number) {
        if (!m_segments.contains(number))
            return number;
    }
    return 0;
}

int SegmentStore::after(int number) const
{
    const auto it = m_segments.upperBound(number);
    return it == m_segments.constEnd() ? 0 : it.key();
}

int SegmentStore::before(int number) const
{
    auto it = m_segments.lowerBound(number);
    return it == m_segments.constBegin() ? 0 : (--it).key();
}

void SegmentStore::renameSource(const QByteArray &from, const QByteArray &to)
{
    for (Segment &segment : m_segments) {
        if (segment.source == from)
            segment.source = to;
    }
}

} // namespace xrsim
