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

    bool dropFrame() const { return m_dropFrame; }
    // Timecode of a position: wraps at 24 hours, drop frame as set.
    QByteArray timecodeBytes(qint64 units) const;
    // The timer: the position itself, never drop frame, never wrapped.
    QByteArray timerBytes(qint64 units) const;
    // The position that wire time bytes name, read as timecode or as timer.
    bool unitsOf(const QByteArray &bytes, bool asTimecode, qint64 *units) const;
    // Positions in 24 hours of timecode.
    qint64 unitsPerDay() const;
    qint64 unitsOfTimecode(const Timecode &tc, bool asTimecode) const;
    Timecode timecodeOf(qint64 units, bool asTimecode) const;

private:
    QByteArray pack(qint64 units, bool asTimecode) const;

    const VideoStandard &m_standard;
    bool m_dropFrame;
};

} // namespace xrsim
