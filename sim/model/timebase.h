// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/timecode.h"
#include "model/videostandard.h"

namespace xrsim {

// Turns the recorder's positions (fields for interlaced pictures, frames
// otherwise) into the time it shows and back, for one video standard.
class TimeBase
{
public:
    TimeBase(const VideoStandard &standard, bool dropFrame);

    bool DropFrame() const { return dropFrame; }
    // Timecode of a position: wraps at 24 hours, drop frame as set.
    QByteArray TimecodeBytes(qint64 units) const;
    // The timer: the position itself, never drop frame, never wrapped.
    QByteArray TimerBytes(qint64 units) const;
    // The position that wire time bytes name, read as timecode or as timer.
    bool UnitsOf(const QByteArray &bytes, bool asTimecode, qint64 *units) const;
    // Positions in 24 hours of timecode.
    qint64 UnitsPerDay() const;
    qint64 UnitsOfTimecode(const Timecode &tc, bool asTimecode) const;
    Timecode TimecodeOf(qint64 units, bool asTimecode) const;

private:
    QByteArray Pack(qint64 units, bool asTimecode) const;

    const VideoStandard &standard;
    bool dropFrame;
};

} // namespace xrsim
