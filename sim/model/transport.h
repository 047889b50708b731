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

    Motion motion() const { return m_motion; }
    double speed() const { return m_clock.speed(); }
    double position(qint64 nowMs) const { return m_clock.position(nowMs); }
    bool cueComplete() const { return m_cueComplete; }
    bool optionPlay() const { return m_optionPlay; }
    bool playing() const { return m_motion == Motion::Play || m_motion == Motion::Record; }
    bool movingForward() const { return m_motion != Motion::Cue && speed() > 0; }

    void setRate(double unitsPerSecond, qint64 nowMs);
    void update(qint64 nowMs);

    void stop(qint64 nowMs);
    void stillAt(double units, qint64 nowMs);
    void play(qint64 nowMs, bool option = false);
    void record(qint64 nowMs);
    // Fast wind, shuttle and variable speed: signed speed, 1 is play speed.
    void move(Motion motion, double speed, qint64 nowMs);
    void step(double units, qint64 nowMs);
    void cue(double target, qint64 nowMs, qint64 doneMs);
    // A seamless jump that keeps the present motion.
    void jumpTo(double units, qint64 nowMs);

    // Edit and E-E modes of the recording side.
    bool editOn = false;
    bool fullEe = false;
    bool selectEe = false;

private:
    void set(Motion motion, double speed, qint64 nowMs);

    PositionClock m_clock;
    Motion m_motion = Motion::Stop;
    bool m_cueComplete = false;
    bool m_optionPlay = false;
    double m_cueTarget = 0.0;
    qint64 m_cueDoneMs = 0;
};

} // namespace xrsim
