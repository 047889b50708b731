// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/positionclock.h"

namespace xrsim {

void PositionClock::SetRate(double unitsPerSecond, qint64 nowMs)
{
    Anchor(nowMs);
    rate = unitsPerSecond;
}

void PositionClock::SetSpeed(double speed, qint64 nowMs)
{
    Anchor(nowMs);
    this->speed = speed;
}

void PositionClock::Jump(double units, qint64 nowMs)
{
    this->units = units;
    sinceMs = nowMs;
}

double PositionClock::Position(qint64 nowMs) const
{
    return units + speed * rate * double(nowMs - sinceMs) / 1000.0;
}

void PositionClock::Anchor(qint64 nowMs)
{
    units = Position(nowMs);
    sinceMs = nowMs;
}

} // namespace xrsim
