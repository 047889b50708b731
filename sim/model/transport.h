// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/positionclock.h"

namespace xrsim {

// One side's transport: what it is doing, at what speed, and where it is.
// Time only moves forward through update(), called before every command,
// which completes cue-ups whose time has come and stops a backward motion
// at the start of the material.
class Transport
{
public:
    enum class Motion {
        Stop,
        Still,
        Play,
        Record,
        FastForward,
        Rewind,
        Shuttle,
        Variable,
        Jog,
        Cue
    };

    Motion CurrentMotion() const { return motion; }
    double Speed() const { return clock.Speed(); }
    double Position(qint64 nowMs) const { return clock.Position(nowMs); }
    bool CueComplete() const { return cueComplete; }
    bool OptionPlay() const { return optionPlay; }
    bool Playing() const { return motion == Motion::Play || motion == Motion::Record; }
    bool MovingForward() const { return motion != Motion::Cue && Speed() > 0; }

    void SetRate(double unitsPerSecond, qint64 nowMs);
    void Update(qint64 nowMs);

    void Stop(qint64 nowMs);
    void StillAt(double units, qint64 nowMs);
    void Play(qint64 nowMs, bool option = false);
    void Record(qint64 nowMs);
    // Fast wind, shuttle and variable speed: signed speed, 1 is play speed.
    void Move(Motion motion, double speed, qint64 nowMs);
    void Step(double units, qint64 nowMs);
    void Cue(double target, qint64 nowMs, qint64 doneMs);
    // A seamless jump that keeps the present motion.
    void JumpTo(double units, qint64 nowMs);

    // Edit and E-E modes of the recording side.
    bool editOn = false;
    bool fullEe = false;
    bool selectEe = false;

private:
    void Set(Motion motion, double speed, qint64 nowMs);

    PositionClock clock;
    Motion motion = Motion::Stop;
    bool cueComplete = false;
    bool optionPlay = false;
    double cueTarget = 0.0;
    qint64 cueDoneMs = 0;
};

} // namespace xrsim
