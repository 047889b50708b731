#include "model/positionclock.h"

namespace xrsim {

void PositionClock::setRate(double unitsPerSecond, qint64 nowMs)
{
    anchor(nowMs);
    m_rate = unitsPerSecond;
}

void PositionClock::setSpeed(double speed, qint64 nowMs)
{
    anchor(nowMs);
    m_speed = speed;
}

void PositionClock::jump(double units, qint64 nowMs)
{
    m_units = units;
    m_sinceMs = nowMs;
}

double PositionClock::position(qint64 nowMs) const
{
    return m_units + m_speed * m_rate * double(nowMs - m_sinceMs) / 1000.0;
}

void PositionClock::anchor(qint64 nowMs)
{
    m_units = position(nowMs);
    m_sinceMs = nowMs;
}

} // namespace xrsim
