// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace xrsim {

// A running position: it moves at speed times the standard's rate of
// positions a second from the moment it was last set, by the wall clock.
// Speed 1 is play speed, negative speeds run backwards.
class PositionClock
{
public:
    void SetRate(double unitsPerSecond, qint64 nowMs);
    void SetSpeed(double speed, qint64 nowMs);
    void Jump(double units, qint64 nowMs);

    double Speed() const { return speed; }
    double Position(qint64 nowMs) const;

private:
    void Anchor(qint64 nowMs);

    double rate = 50.0;
    double speed = 0.0;
    double units = 0.0;
    qint64 sinceMs = 0;
};

} // namespace xrsim
