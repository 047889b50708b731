// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/timebase.h"

namespace xrsim {

TimeBase::TimeBase(const VideoStandard &standard, bool dropFrame)
    : standard(standard), dropFrame(dropFrame && standard.DropFrameCapable())
{}

QByteArray TimeBase::TimecodeBytes(qint64 units) const
{
    const qint64 day = UnitsPerDay();
    return Pack(((units % day) + day) % day, true);
}

QByteArray TimeBase::TimerBytes(qint64 units) const
{
    return Pack(qMax<qint64>(units, 0), false);
}

bool TimeBase::UnitsOf(const QByteArray &bytes, bool asTimecode, qint64 *units) const
{
    Timecode tc;
    bool secondField = false;
    if (!Timecode::Unpack(bytes, standard.FiftyHz(), &tc, &secondField) ||
        !tc.IsValid(standard.TimecodeFps()))
        return false;
    const bool field = secondField && standard.UnitsPerTimecodeFrame() > 1;
    *units = UnitsOfTimecode(tc, asTimecode) + (field ? 1 : 0);
    return true;
}

qint64 TimeBase::UnitsPerDay() const
{
    return UnitsOfTimecode(Timecode{24, 0, 0, 0}, true);
}

qint64 TimeBase::UnitsOfTimecode(const Timecode &tc, bool asTimecode) const
{
    const bool drop = asTimecode && dropFrame;
    return tc.ToCount(standard.TimecodeFps(), drop) * standard.UnitsPerTimecodeFrame();
}

Timecode TimeBase::TimecodeOf(qint64 units, bool asTimecode) const
{
    const bool drop = asTimecode && dropFrame;
    return Timecode::FromCount(units / standard.UnitsPerTimecodeFrame(), standard.TimecodeFps(),
                               drop);
}

QByteArray TimeBase::Pack(qint64 units, bool asTimecode) const
{
    const bool secondField = units % standard.UnitsPerTimecodeFrame() != 0;
    return TimecodeOf(units, asTimecode)
        .Pack(asTimecode && dropFrame, secondField, standard.FiftyHz());
}

} // namespace xrsim
