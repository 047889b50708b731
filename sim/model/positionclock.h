#pragma once

#include <QtGlobal>

namespace xrsim {

// A running position: it moves at speed times the standard's rate of
// positions a second from the moment it was last set, by the wall clock.
// Speed 1 is play speed, negative speeds run backwards.
class PositionClock
{
public:
    void setRate(double unitsPerSecond, qint64 nowMs);
    void setSpeed(double speed, qint64 nowMs);
    void jump(double units, qint64 nowMs);

    double speed() const { return m_speed; }
    double position(qint64 nowMs) const;

private:
    void anchor(qint64 nowMs);

    double m_rate = 50.0;
    double m_speed = 0.0;
    double m_units = 0.0;
    qint64 m_sinceMs = 0;
};

} // namespace xrsim
