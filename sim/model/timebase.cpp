#include "model/timebase.h"

namespace xrsim {

TimeBase::TimeBase(const VideoStandard &standard, bool dropFrame)
    : m_standard(standard), m_dropFrame(dropFrame && standard.dropFrameCapable())
{}

QByteArray TimeBase::timecodeBytes(qint64 units) const
{
    const qint64 day = unitsPerDay();
    return pack(((units % day) + day) % day, true);
}

QByteArray TimeBase::timerBytes(qint64 units) const
{
    return pack(qMax<qint64>(units, 0), false);
}

bool TimeBase::unitsOf(const QByteArray &bytes, bool asTimecode, qint64 *units) const
{
    Timecode tc;
    bool secondField = false;
    if (!Timecode::unpack(bytes, m_standard.fiftyHz(), &tc, &secondField) ||
        !tc.isValid(m_standard.timecodeFps()))
        return false;
    const bool field = secondField && m_standard.unitsPerTimecodeFrame() > 1;
    *units = unitsOfTimecode(tc, asTimecode) + (field ? 1 : 0);
    return true;
}

qint64 TimeBase::unitsPerDay() const
{
    return unitsOfTimecode(Timecode{24, 0, 0, 0}, true);
}

qint64 TimeBase::unitsOfTimecode(const Timecode &tc, bool asTimecode) const
{
    const bool drop = asTimecode && m_dropFrame;
    return tc.toCount(m_standard.timecodeFps(), drop) * m_standard.unitsPerTimecodeFrame();
}

Timecode TimeBase::timecodeOf(qint64 units, bool asTimecode) const
{
    const bool drop = asTimecode && m_dropFrame;
    return Timecode::fromCount(units / m_standard.unitsPerTimecodeFrame(), m_standard.timecodeFps(),
                               drop);
}

QByteArray TimeBase::pack(qint64 units, bool asTimecode) const
{
    const bool secondField = units % m_standard.unitsPerTimecodeFrame() != 0;
    return timecodeOf(units, asTimecode)
        .pack(asTimecode && m_dropFrame, secondField, m_standard.fiftyHz());
}

} // namespace xrsim
